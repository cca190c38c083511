// What a mode is, and the keys of "config.ini": the one table every module reads.
#include "config/mode_table.h"

#include <array>

#include "tolm2/checked_table.h"

namespace {

struct ModeFacts {
    std::string name;
    std::string hiScoreKey;
    std::string replayFile;
    std::string watchFile;
};

ModeFacts factsOf(int32_t mode, const char* name) {
    const std::string number = std::to_string(mode);
    const std::string stem = "replay/replay_0" + number;
    return {name, mode == 0 ? "HI_SCORE" : "HI_SCORE" + number, stem + ".bin", stem + ".watch"};
}

const std::array<ModeFacts, MODE_COUNT>& modes() {
    static const std::array<ModeFacts, MODE_COUNT> table = {
        factsOf(MODE_PLAIN, ""),       factsOf(MODE_LINE, "LINE"),   factsOf(MODE_SHUFFLE, "SHUFFLE"),
        factsOf(MODE_MEMORY, "MEMORY"), factsOf(MODE_SQUARE, "SQUARE"), factsOf(MODE_MIXER, "MIXER"),
        factsOf(MODE_REVERSE, "REVERSE"),
    };
    return table;
}

}  // namespace

const std::string& modeName(int32_t mode) { return checkedAt(modes(), mode, "modes").name; }

const std::string& hiScoreKey(int32_t mode) { return checkedAt(modes(), mode, "modes").hiScoreKey; }

const std::string& replayFile(int32_t mode) { return checkedAt(modes(), mode, "modes").replayFile; }

const std::string& watchFile(int32_t mode) { return checkedAt(modes(), mode, "modes").watchFile; }
