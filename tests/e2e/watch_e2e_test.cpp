// Watching a record with the real binary: from the title, from a file sent elsewhere, and a
// damaged file refused with the game still running; and korvane-verify on the same files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "keypad/watch_file.h"
#include "player.h"
#include "support/scratch.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

constexpr Rgb REPLAY_RED{255, 100, 100};
constexpr Rgb VERIFIED_GREEN{100, 255, 100};

// Waits for the verdict of a watched game, sees "VERIFIED" under the score and leaves
// the results with a click.
void watchToVerified(GameProcess& game, Player& player, const std::string& file, long score,
                     std::chrono::steady_clock::duration timeout) {
    ASSERT_TRUE(waitForLogLine("Gamecoer init", 20s)) << "no watched game set up";
    const Image playing = player.waitForPlay();
    EXPECT_TRUE(showsText(playing, "REPLAY", 168, 11, 2.0f, REPLAY_RED));
    const std::string verdict = "Watch " + file + ": VERIFIED " + std::to_string(score);
    using std::chrono::milliseconds;
    ASSERT_TRUE(waitForLogLine(verdict, std::chrono::duration_cast<milliseconds>(timeout)))
        << lastLogLine();
    bool shown = false;
    for (int look = 0; look < 10 && !shown; ++look) {
        shown = showsText(player.lookAway(), "VERIFIED", 123, 280, 3.0f, VERIFIED_GREEN);
    }
    EXPECT_TRUE(shown) << "the results say VERIFIED";
    player.leaveResults();
    EXPECT_TRUE(game.running());
}

// korvane-verify in the player's folder, with no display: the record's watch file, the
// same with its first click left out (CRC made right again) and cut short, and no file.
// It names each file and leaves the folder as it was.
void checkedWithoutADisplay(const std::string& watch, long score) {
    WatchRecord changed = decodeWatch(watch);
    const auto click = std::find_if(changed.frames.begin(), changed.frames.end(), [](auto& f) {
        return (f.buttons & POINTER_LEFT_PUSHED) != 0;
    });
    ASSERT_NE(click, changed.frames.end());
    click->buttons = 0;
    // The first card is not picked: the digest of that click's second differs.
    const int left = FULL_CLOCK / 60 - static_cast<int>(click - changed.frames.begin()) / 60 - 1;
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d", left / 60, left % 60);
    writeFile("changed.watch", encodeWatch(changed));
    writeFile("cut.watch", watch.substr(0, watch.size() / 2));
    const auto before = folderContents(".");
    const std::string verified = "replay/replay_01.watch: VERIFIED LINE " + std::to_string(score);
    EXPECT_EQ(verifyWatchFiles({"replay/replay_01.watch"}).output, verified + "\n");
    EXPECT_EQ(verifyWatchFiles({"replay/replay_01.watch"}).status, 0);
    const CommandResult mixed =
        verifyWatchFiles({"changed.watch", "replay/replay_01.watch", "cut.watch"});
    EXPECT_EQ(mixed.status, 1);
    const std::string mismatch = "changed.watch: MISMATCH at " + std::string(clock) + " recorded " +
                                 std::to_string(score) + " replayed ";
    EXPECT_EQ(mixed.output.rfind(mismatch, 0), 0u) << mixed.output;
    EXPECT_NE(mixed.output.find("\n" + verified + "\ncut.watch: truncated\n"), std::string::npos);
    EXPECT_EQ(verifyWatchFiles({}).status, 2);
    EXPECT_EQ(folderContents("."), before);
    fs::remove("changed.watch");
    fs::remove("cut.watch");
}

}  // namespace

using Watching = GameOnDisplay;

TEST_F(Watching, ALineRecordReplaysFromTheTitleAndElsewhereAndDamageIsRefused) {
    const auto started = std::chrono::steady_clock::now();
    const long score = playLineToARecord().score;
    // Watching takes no longer than playing did, screenshots and all; slack for a slow renderer.
    const auto watchTime = 3 * (std::chrono::steady_clock::now() - started) + 30s;
    const std::string watch = readFile("replay/replay_01.watch");
    ASSERT_FALSE(watch.empty()) << "a record keeps a watch file";
    checkedWithoutADisplay(watch, score);
    const std::string config = readFile("config.ini");
    const std::string replay = readFile("replay/replay_01.bin");
    fs::remove("run.log");  // the next run's log only
    {
        GameProcess game;
        Player player(game);
        player.reachTitle();
        game.click(200, titleRowY(MODE_LINE) + 12, 3);
        watchToVerified(game, player, "replay/replay_01.watch", score, watchTime);
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }
    EXPECT_EQ(readFile("config.ini"), config) << "nothing is saved from a watched game";
    EXPECT_EQ(readFile("replay/replay_01.bin"), replay);
    EXPECT_EQ(readFile("replay/replay_01.watch"), watch);

    ScratchDir fresh;
    fs::create_directory("sent");
    writeFile("sent/best.watch", watch);
    {
        GameProcess game({"-watch", "sent/best.watch"});
        Player player(game);
        watchToVerified(game, player, "sent/best.watch", score, watchTime);
        EXPECT_TRUE(fs::is_empty("replay"));
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }

    std::string damaged = watch;
    damaged.at(damaged.size() / 2) ^= 0x10;
    writeFile("sent/best.watch", damaged);
    fs::remove("run.log");
    GameProcess game({"-watch", "sent/best.watch"});
    Player player(game);
    EXPECT_TRUE(waitForLogLine("Watch sent/best.watch: wrong CRC"));
    player.reachTitle();
    EXPECT_TRUE(game.running());
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}
