// Per-mode names of the stored best score, the replay file and the watch file.
#include "gamecore/mode_table.h"

#include <array>

#include "gamecore/checked_table.h"

namespace {

const std::array<std::string, MODE_COUNT> HI_SCORE_KEYS = {
    "HI_SCORE", "HI_SCORE1", "HI_SCORE2", "HI_SCORE3", "HI_SCORE4", "HI_SCORE5", "HI_SCORE6",
};

const std::array<std::string, MODE_COUNT> REPLAY_FILES = {
    "replay/replay_00.bin", "replay/replay_01.bin", "replay/replay_02.bin",
    "replay/replay_03.bin", "replay/replay_04.bin", "replay/replay_05.bin",
    "replay/replay_06.bin",
};

const std::array<std::string, MODE_COUNT> WATCH_FILES = {
    "replay/replay_00.watch", "replay/replay_01.watch", "replay/replay_02.watch",
    "replay/replay_03.watch", "replay/replay_04.watch", "replay/replay_05.watch",
    "replay/replay_06.watch",
};

}  // namespace

const std::string& hiScoreKey(int32_t mode) { return checkedAt(HI_SCORE_KEYS, mode, "hiScoreKeys"); }

const std::string& replayFile(int32_t mode) { return checkedAt(REPLAY_FILES, mode, "replayFiles"); }

const std::string& watchFile(int32_t mode) { return checkedAt(WATCH_FILES, mode, "watchFiles"); }

bool isShuffledMode(int32_t mode) { return mode == MODE_SHUFFLE || mode == MODE_MEMORY; }

bool isScatteredMode(int32_t mode) {
    return mode == MODE_SQUARE || mode == MODE_MIXER || mode == MODE_REVERSE;
}

bool isFadingMode(int32_t mode) { return mode == MODE_MEMORY || mode == MODE_REVERSE; }
