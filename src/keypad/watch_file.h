// Watch files: what drove one game (seed and pointer per frame of play), checked by a CRC-32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/mode_table.h"

inline constexpr uint16_t WATCH_VERSION = 1;
inline constexpr uint32_t MAX_WATCH_FRAMES = 36000;

// Bits of PointerFrame::buttons.
inline constexpr uint8_t POINTER_LEFT_HELD = 1;
inline constexpr uint8_t POINTER_LEFT_PUSHED = 2;

// The pointer in one frame of play, in the 640 x 480 logical space.
struct PointerFrame {
    int16_t x = 0;
    int16_t y = 0;
    uint8_t buttons = 0;

    bool operator==(const PointerFrame& other) const {
        return x == other.x && y == other.y && buttons == other.buttons;
    }
};

// One recorded game: everything its rules need to play it again.
struct WatchRecord {
    int32_t mode = 0;
    uint32_t seed = 0;
    int32_t score = 0;
    std::vector<PointerFrame> frames;
};

// A game to watch: the file it came from (named in the log) and what it holds.
struct WatchedGame {
    std::string file;
    WatchRecord record;
};

// The file's bytes: header, frames, CRC-32 of all that precedes it.
std::string encodeWatch(const WatchRecord& record);
// Reads bytes made by encodeWatch. Throws TolmError whose text is the fault alone:
// "truncated", "not a watch file", "unknown version <v>", "<n> frames, more than <max>",
// "<n> bytes after the last frame", "wrong CRC", "mode <m> outside 0..6".
WatchRecord decodeWatch(const std::string& bytes);

// Called by the playing scene next to the replay save of a record. Writes through
// safe_file::replace; throws its TolmError ("Cannot write file '<file>'"), the old file
// then being as it was.
void saveWatchFile(const std::string& file, const WatchRecord& record);
// Called when a watch is asked for. Throws TolmError "Watch <file>: <fault>", the fault
// as decodeWatch gives it or "cannot be read (<reason>)" for a file that cannot be opened.
WatchRecord loadWatchFile(const std::string& file);
