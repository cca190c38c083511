// Per-mode names of the stored best score, the replay file and the watch file.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int32_t MODE_COUNT = 7;

enum GameModeId : int32_t {
    MODE_PLAIN = 0,  // no title label; plays like LINE
    MODE_LINE = 1,
    MODE_SHUFFLE = 2,
    MODE_MEMORY = 3,
    MODE_SQUARE = 4,
    MODE_MIXER = 5,
    MODE_REVERSE = 6,
};

// "HI_SCORE" for 0, "HI_SCORE1".."HI_SCORE6". Throws TolmError outside 0..6.
const std::string& hiScoreKey(int32_t mode);
// "replay/replay_00.bin".."replay/replay_06.bin". Throws TolmError outside 0..6.
const std::string& replayFile(int32_t mode);
// "replay/replay_00.watch".."replay/replay_06.watch", kept beside the replay file.
// Throws TolmError outside 0..6.
const std::string& watchFile(int32_t mode);

// Layout traits of a mode; modes outside 2..6 lay out the ordered grid.
bool isShuffledMode(int32_t mode);
bool isScatteredMode(int32_t mode);
bool isFadingMode(int32_t mode);
