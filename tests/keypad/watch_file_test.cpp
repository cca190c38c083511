// Watch files: a round trip through the disk, and each kind of damage refused by name.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "keypad/watch_file.h"
#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

WatchRecord sample() {
    std::vector<PointerFrame> frames(61, {-3, 500, 1, 0x0C41});
    frames.front() = {639, 479, 3, 0x0FFF};
    return {6, 0xDEADBEEF, 123456, frames, {0xCAFEF00D}, WATCH_VERSION};
}

std::string loadError(const std::string& file) {
    return errorOf([&] { loadWatchFile(file); });
}

}  // namespace

class WatchFile : public FrameworkTest {};

TEST_F(WatchFile, SavedRecordReadsBackWhole) {
    saveWatchFile("replay/replay_06.watch", sample());
    const WatchRecord back = loadWatchFile("replay/replay_06.watch");
    EXPECT_EQ(std::tie(back.mode, back.seed, back.score), std::make_tuple(6, 0xDEADBEEFu, 123456));
    EXPECT_EQ(back.frames, sample().frames);
    EXPECT_EQ(back.digests, sample().digests);
    WatchRecord longest = sample();
    longest.frames.resize(MAX_WATCH_FRAMES, {1, 2, 3});
    saveWatchFile("replay/replay_01.watch", longest);
    EXPECT_EQ(loadWatchFile("replay/replay_01.watch").frames, longest.frames);
    // Header 20 bytes, 7 per frame, 4 per second of frames, CRC 4; little-endian throughout.
    const std::string bytes = readFile("replay/replay_06.watch");
    EXPECT_EQ(bytes.substr(0, 8), std::string("KVWF\x02\0\x06\0", 8));
    EXPECT_EQ(bytes.size(), 20u + 7 * 61 + 4 + 4);
    // A version 1 file (pointer only, no digests) still reads, and writes back the same.
    WatchRecord old = sample();
    old.version = WATCH_VERSION_POINTER;
    for (PointerFrame& frame : old.frames) frame.keys = 0;
    const std::string oldBytes = encodeWatch(old);
    EXPECT_EQ(oldBytes.size(), 20u + 5 * 61 + 4);
    EXPECT_EQ(encodeWatch(decodeWatch(oldBytes)), oldBytes);
    EXPECT_TRUE(decodeWatch(oldBytes).digests.empty());
}

TEST_F(WatchFile, EachKindOfDamageIsRefusedWithItsOwnMessage) {
    const std::string good = encodeWatch(sample());
    WatchRecord badMode = sample();
    badMode.mode = 7;  // written with a good CRC
    const auto with = [&](size_t at, char value) {
        std::string bytes = good;
        bytes.at(at) = value;
        return bytes;
    };
    std::vector<std::pair<std::string, std::string>> damages = {
        {"", "truncated"},
        {good.substr(0, good.size() - 6), "truncated"},  // cut inside a frame
        {with(0, 'X'), "not a watch file"},
        {with(4, 3), "unknown version 3"},
        {with(15, 1), "16777277 frames, more than 36000"},
        {good + "!", "1 bytes after the last frame"},
        {with(22, 'Z'), "wrong CRC"},  // a frame
        {with(good.size() - 6, 'Z'), "wrong CRC"},  // the digest
        {with(16, 0), "wrong CRC"},    // the score
        {with(8, 0), "wrong CRC"},     // the seed
        {with(6, 5), "wrong CRC"},     // the mode
        {encodeWatch(badMode), "mode 7 outside 0..6"},
    };
    WatchRecord longest = sample();
    longest.frames.resize(MAX_WATCH_FRAMES + 1);
    damages.push_back({encodeWatch(longest), "36001 frames, more than 36000"});
    for (const auto& [bytes, message] : damages) {
        writeFile("damaged.watch", bytes);
        EXPECT_EQ(loadError("damaged.watch"), "Watch damaged.watch: " + message);
    }
    EXPECT_EQ(loadError("missing.watch"),
              "Watch missing.watch: cannot be read (No such file or directory)");
    EXPECT_EQ(loadError("replay"), "Watch replay: cannot be read (Is a directory)");
}

// A short MIXER game saved by this format, kept as bytes: 118 frames (one whole second and
// most of another), so the count of digests shows the frames per digest.
TEST(WatchFormat, CommittedFileDecodesToItsRecordAndEncodesToTheSameBytes) {
    WatchRecord record{5, 0xC0FFEE42, 4321, {}, {0xDEADBEEF}, WATCH_VERSION};
    for (int k = 0; k < 118; ++k) {
        const uint8_t buttons = k % 7 == 0 ? 3 : (k % 7 == 1 ? 1 : 0);
        record.frames.push_back({static_cast<int16_t>(k * 5 - 100),
                                 static_cast<int16_t>(479 - k * 3), buttons,
                                 static_cast<uint16_t>((k * 0x155) & 0xFFF)});
    }
    const std::string bytes = readFile(sourceDir() / "tests/keypad/short_game.watch");
    ASSERT_EQ(bytes.size(), 854u);
    const WatchRecord read = decodeWatch(bytes);
    EXPECT_EQ(std::tie(read.mode, read.seed, read.score, read.version),
              std::tie(record.mode, record.seed, record.score, record.version));
    EXPECT_EQ(read.frames, record.frames);
    EXPECT_EQ(read.digests, record.digests);
    EXPECT_EQ(encodeWatch(record), bytes);
}
