// Watch files: a round trip through the disk, and each kind of damage refused by name.
#include <gtest/gtest.h>

#include <functional>

#include "keypad/watch_file.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

WatchRecord sample() {
    WatchRecord record;
    record.mode = 6;
    record.seed = 0xDEADBEEF;
    record.score = 123456;
    record.frames = {{0, 0, 0}, {639, 479, POINTER_LEFT_HELD | POINTER_LEFT_PUSHED}, {-3, 500, 1}};
    return record;
}

std::string loadError(const std::string& file) {
    try {
        loadWatchFile(file);
    } catch (const TolmError& e) {
        return e.what();
    }
    return "(loaded)";
}

}  // namespace

class WatchFile : public FrameworkTest {};

TEST_F(WatchFile, SavedRecordReadsBackWhole) {
    saveWatchFile("replay/replay_06.watch", sample());
    const WatchRecord back = loadWatchFile("replay/replay_06.watch");
    EXPECT_EQ(back.mode, 6);
    EXPECT_EQ(back.seed, 0xDEADBEEFu);
    EXPECT_EQ(back.score, 123456);
    EXPECT_EQ(back.frames, sample().frames);
    // Header 20 bytes, 5 per frame, CRC 4; little-endian throughout.
    const std::string bytes = readFile("replay/replay_06.watch");
    EXPECT_EQ(bytes.size(), 20u + 3u * 5u + 4u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("KVWF\x01\x00\x06\x00", 8));
}

TEST_F(WatchFile, EachKindOfDamageIsRefusedWithItsOwnMessage) {
    const std::string good = encodeWatch(sample());
    WatchRecord badMode = sample();
    badMode.mode = 7;
    const auto with = [&](size_t at, char value) {
        std::string bytes = good;
        bytes.at(at) = value;
        return bytes;
    };
    struct Damage {
        const char* what;
        std::string bytes;
        std::string message;
    };
    const std::vector<Damage> damages = {
        {"empty", "", "truncated"},
        {"cut in a frame", good.substr(0, good.size() - 6), "truncated"},
        {"magic", with(0, 'X'), "not a watch file"},
        {"version", with(4, 2), "unknown version 2"},
        {"frame count", with(15, 1), "16777219 frames, more than 36000"},
        {"tail", good + "!", "1 bytes after the last frame"},
        {"a frame byte", with(22, 'Z'), "wrong CRC"},
        {"the score", with(16, 0), "wrong CRC"},
        {"mode", encodeWatch(badMode), "mode 7 outside 0..6"},
    };
    for (const Damage& damage : damages) {
        writeFile("damaged.watch", damage.bytes);
        EXPECT_EQ(loadError("damaged.watch"), "Watch damaged.watch: " + damage.message)
            << damage.what;
    }
    EXPECT_EQ(loadError("missing.watch"),
              "Watch missing.watch: cannot be read (No such file or directory)");
    EXPECT_EQ(loadError("replay"), "Watch replay: cannot be read (Is a directory)");
}
