// The player's options and the window, kept in "config.ini" from one run to the next.
#pragma once

#include <cstdint>
#include <string>

#include "config/config_parser.h"

inline constexpr const char* MUSIC_VOLUME_KEY = "MUSIC_VOLUME";
inline constexpr const char* EFFECTS_VOLUME_KEY = "EFFECTS_VOLUME";
inline constexpr const char* FULLSCREEN_KEY = "FULLSCREEN";
inline constexpr const char* KEEP_ASPECT_KEY = "KEEP_ASPECT";
inline constexpr const char* WINDOW_WIDTH_KEY = "WINDOW_WIDTH";
inline constexpr const char* WINDOW_HEIGHT_KEY = "WINDOW_HEIGHT";

// What a file without the keys means: full volumes, a 640 x 480 window, the picture
// stretched over it.
struct SavedOptions {
    int32_t musicVolume = 10;
    int32_t effectsVolume = 10;
    bool fullScreen = false;
    bool keepAspect = false;
    int32_t windowWidth = 640;
    int32_t windowHeight = 480;
};

// The options in parser: an absent key reads as its default, and so does a value outside
// its range (volumes 0..10, switches 0 or 1, window sides 1..16384, digits only), which
// is then logged as "<file>: <KEY> = '<value>' is not <range>; read as <default>".
SavedOptions optionsIn(ConfigParser& parser, bool logFaults);

// The entry at start-up (quietly: the log is not open yet) and the scene loop when it
// loads (logFaults): the options of name. A file that is missing or cannot be read gives
// the defaults without a word (the title reports it). Never throws.
SavedOptions readSavedOptions(const std::string& name, bool logFaults);

// The options screen, when the player changes an option: value under key, saved through
// config_store::update so that what another copy saved is kept; a failed save is logged
// only.
void saveOption(const std::string& name, const std::string& key, int32_t value);
