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
constexpr size_t FRAME_COUNT_AT = 12;  // in the watch file's header

// Long enough to watch a game of this many frames on a slow software renderer.
std::chrono::milliseconds watchTime(const std::string& watch) {
    uint32_t frames = 0;
    for (size_t i = 0; i < 4; ++i) {
        frames |= static_cast<uint32_t>(static_cast<unsigned char>(watch.at(FRAME_COUNT_AT + i)))
                  << (8 * i);
    }
    return std::chrono::milliseconds(3 * FRAME_MS * (frames + 200) + 20000);
}

// Waits for the verdict of a watched game, sees "VERIFIED" under the score and leaves
// the results with a click.
void watchToVerified(GameProcess& game, Player& player, const std::string& file, long score,
                     std::chrono::milliseconds timeout) {
    ASSERT_TRUE(waitForLogLine("Gamecoer init", 20s)) << "no watched game set up";
    const Image playing = player.waitForPlay();
    EXPECT_TRUE(showsText(playing, "REPLAY", 168, 11, 2.0f, REPLAY_RED));
    ASSERT_TRUE(waitForLogLine("Watch " + file + ": VERIFIED " + std::to_string(score), timeout))
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

TEST(Watching, ALineRecordReplaysFromTheTitleAndElsewhereAndDamageIsRefused) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    writeFile("config.ini", defaultConfig());
    long score = 0;
    {
        GameProcess game;
        Player player(game);
        player.reachTitle();
        player.startMode(MODE_LINE);
        takeStillPairsChecked(player, lineTwins());
        ASSERT_FALSE(HasFailure());
        score = finishWithRecord(game, player, MODE_LINE, 5s).score;
    }
    const std::string watch = readFile("replay/replay_01.watch");
    ASSERT_FALSE(watch.empty()) << "a record keeps a watch file";
    const std::string config = readFile("config.ini");
    const std::string replay = readFile("replay/replay_01.bin");
    {
        GameProcess game;
        Player player(game);
        player.reachTitle();
        game.click(200, titleRowY(MODE_LINE) + 12, 3);
        watchToVerified(game, player, "replay/replay_01.watch", score, watchTime(watch));
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
        watchToVerified(game, player, "sent/best.watch", score, watchTime(watch));
        EXPECT_TRUE(fs::is_empty("replay"));
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }

    std::string damaged = watch;
    damaged.at(damaged.size() / 2) ^= 0x10;
    writeFile("sent/best.watch", damaged);
    GameProcess game({"-watch", "sent/best.watch"});
    Player player(game);
    EXPECT_TRUE(waitForLogLine("Watch sent/best.watch: wrong CRC"));
    player.reachTitle();
    EXPECT_TRUE(game.running());
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}
