// Watch files: what drove one game (seed, pointer and buttons per frame of play, a state
// digest per second), checked by a CRC-32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/mode_table.h"
#include "keypad/keypad.h"

// Version 1 kept the pointer alone; version 2 adds the logical buttons of each frame and a
// digest of the game's state after every 60th frame. Both are read; version 2 is written.
inline constexpr uint16_t WATCH_VERSION_POINTER = 1;
inline constexpr uint16_t WATCH_VERSION = 2;
// A watch file holds at most the frames a keypad records.
inline constexpr uint32_t MAX_WATCH_FRAMES = static_cast<uint32_t>(MAX_FRAME);
inline constexpr uint32_t FRAMES_PER_DIGEST = 60;

// Bits of PointerFrame::buttons.
inline constexpr uint8_t POINTER_LEFT_HELD = 1;
inline constexpr uint8_t POINTER_LEFT_PUSHED = 2;

// The pointer in one frame of play, in the 640 x 480 logical space, and the keypad's
// logical buttons (bits 0..5 held A, B, left, up, right, down; bits 6..11 pushed).
struct PointerFrame {
    int16_t x = 0;
    int16_t y = 0;
    uint8_t buttons = 0;
    uint16_t keys = 0;

    bool operator==(const PointerFrame& other) const {
        return x == other.x && y == other.y && buttons == other.buttons && keys == other.keys;
    }
};

// One recorded game: everything its rules need to play it again.
struct WatchRecord {
    int32_t mode = 0;
    uint32_t seed = 0;
    int32_t score = 0;
    std::vector<PointerFrame> frames;
    // Digest k is the game's state after frame 60 (k + 1); one per whole second of frames.
    std::vector<uint32_t> digests;
    // The version read; a version 1 record has no keys and no digests.
    uint16_t version = WATCH_VERSION;
};

// A game to watch: the file it came from (named in the log) and what it holds.
struct WatchedGame {
    std::string file;
    WatchRecord record;
};

// CRC-32 (zlib's) of bytes; the playing scene digests its state with it.
uint32_t watchChecksum(const std::string& bytes);

// The file's bytes: header, frames, digests (version 2), CRC-32 of all that precedes it.
std::string encodeWatch(const WatchRecord& record);
// Reads bytes made by encodeWatch, of either version. Throws TolmError whose text is the
// fault alone:
// "truncated", "not a watch file", "unknown version <v>", "<n> frames, more than <max>",
// "<n> bytes after the last frame", "wrong CRC", "mode <m> outside 0..6".
WatchRecord decodeWatch(const std::string& bytes);

// Called by the playing scene next to the replay save of a record. Writes through
// safe_file::replace; throws its TolmError ("Cannot write file '<file>'"), the old file
// then being as it was.
void saveWatchFile(const std::string& file, const WatchRecord& record);
// Called by korvane-verify for each file it checks: the record in file. Throws TolmError
// whose text is the fault alone, as decodeWatch gives it or "cannot be read (<reason>)"
// for a file that cannot be opened.
WatchRecord readWatchFile(const std::string& file);
// Called when a watch is asked for: readWatchFile, whose fault comes as TolmError
// "Watch <file>: <fault>".
WatchRecord loadWatchFile(const std::string& file);
