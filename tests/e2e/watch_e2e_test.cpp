// Watching a record with the real binary: from the title, from a file sent elsewhere, and a
// damaged file refused with the game still running.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
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

}  // namespace

using Watching = GameOnDisplay;

TEST_F(Watching, ALineRecordReplaysFromTheTitleAndElsewhereAndDamageIsRefused) {
    const auto started = std::chrono::steady_clock::now();
    const long score = playLineToARecord().score;
    // Watching takes no longer than playing did, screenshots and all; slack for a slow renderer.
    const auto watchTime = 3 * (std::chrono::steady_clock::now() - started) + 30s;
    const std::string watch = readFile("replay/replay_01.watch");
    ASSERT_FALSE(watch.empty()) << "a record keeps a watch file";
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
