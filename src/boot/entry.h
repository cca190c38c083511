// The program's run: framework start-up, the frame loop, and shutdown on every way out.
#pragma once

#include "boot/command_line.h"

// Starts the framework with the window the command line asked for, or else the one saved
// in "config.ini" (and asks for its watch file, if any, to be played after the logo), runs
// the scene loop one pass per frame until it stops or an error (the quit request
// included) ends it, logs that error, keeps the window for the next run, shuts the
// framework down and returns 0.
int runGame(const CommandLine& line);
