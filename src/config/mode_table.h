// What a mode is, and the keys of "config.ini": the one table every module reads.
#pragma once

#include <cstdint>
#include <string>

// Seven modes have a best score; 1..6 are the title's rows.
inline constexpr int32_t MODE_COUNT = 7;
inline constexpr int32_t FIRST_MENU_MODE = 1;
inline constexpr int32_t LAST_MENU_MODE = 6;

enum GameModeId : int32_t {
    MODE_PLAIN = 0,  // no title row; plays like LINE
    MODE_LINE = 1,
    MODE_SHUFFLE = 2,
    MODE_MEMORY = 3,
    MODE_SQUARE = 4,
    MODE_MIXER = 5,
    MODE_REVERSE = 6,
};

// Keys of "config.ini" beside the bests.
inline constexpr const char* HOSHI_KEY = "HOSHI";
inline constexpr const char* SELECT_HOSHI_KEY = "SELECT_HOSHI";
inline constexpr const char* MUTE_KEY = "MUTE";

// Every function below throws TolmError "GameMain: index <m> outside <table>[7]" for a
// mode outside 0..6.
// "" for 0, then "LINE", "SHUFFLE", "MEMORY", "SQUARE", "MIXER", "REVERSE".
const std::string& modeName(int32_t mode);
// "HI_SCORE" for 0, "HI_SCORE1".."HI_SCORE6".
const std::string& hiScoreKey(int32_t mode);
// "replay/replay_00.bin".."replay/replay_06.bin".
const std::string& replayFile(int32_t mode);
// "replay/replay_00.watch".."replay/replay_06.watch", kept beside the replay file.
const std::string& watchFile(int32_t mode);
