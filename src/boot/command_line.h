// The command line: window or full screen, the window size and the picture's shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tolm2/draw.h"

// The window shows the picture pixel for pixel unless "-res" says otherwise.
inline constexpr int32_t DEFAULT_WIDTH = LOGICAL_WIDTH;
inline constexpr int32_t DEFAULT_HEIGHT = LOGICAL_HEIGHT;
inline constexpr const char* USAGE =
    "usage: korvane [-window | -fullscreen] [-res WIDTH HEIGHT] [-keep-aspect] [-watch FILE]";

struct CommandLine {
    int32_t windowWidth = DEFAULT_WIDTH;
    int32_t windowHeight = DEFAULT_HEIGHT;
    bool fullScreen = false;
    // "-window" or "-fullscreen" was given: the saved choice does not count for this run.
    bool explicitMode = false;
    // "-res" was given: full screen takes that size too, not the desktop's.
    bool explicitSize = false;
    // A watch file to play after the logo; empty for none.
    std::string watchFile;
    // The 4:3 picture undistorted between black bars, not stretched over the window.
    bool keepAspect = false;
    // Empty when the line is usable; otherwise one line naming the problem.
    std::string error;
};

// Reads the arguments in order (the program path first, matching nothing). Later options
// override earlier ones; unknown arguments are ignored. "-res" takes the next two
// arguments as integers and must leave both at least 1, else error is set. "-watch" takes
// the next argument as the watch file's path, and error is set when there is none.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The integer value of a text: leading white space, an optional sign, then digits up to
// the first non-digit; no digits give 0 and values beyond 32 bits wrap.
int32_t parseLeadingInt(const std::string& text);
