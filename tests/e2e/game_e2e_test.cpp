// Whole games of the real binary played with the mouse: LINE cleared to a record, the
// record kept without a replay folder, and MIXER cards moving on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/scratch.h"

using namespace std::chrono_literals;

namespace {

constexpr int PAIRS = 30;
// LINE pairs card i with its twin i + 30 in order: from the third take on, the combo box
// always steps by one number (1000), and the eight takes after the first two of each
// ten-card colour run are all one colour (1000 each).
constexpr long LINE_IN_ORDER_BONUS = 28 * 1000 + 24 * 1000;
constexpr int SAME_CARD_MULTIPLIER = 12;

using GamePlay = GameOnDisplay;

TEST_F(GamePlay, LineClearedInOrderSetsTheBestKeepsAReplayAndTheTitleShowsIt) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    const Image first = player.startMode(MODE_LINE);
    for (int i = 0; i < 2 * PAIRS; ++i) {
        const Place place = gridPlace(i);
        EXPECT_EQ(numberOnCard(first, place.x, place.y).value_or(-1), i % 10) << "card " << i;
        EXPECT_EQ(faceOfCard(first, place.x, place.y), static_cast<Face>((i / 10) % 3))
            << "card " << i;
    }
    EXPECT_EQ(readScore(first).value_or(-1), 0);

    const auto twins = lineTwins();
    takeStillPairsChecked(player, {twins.begin(), twins.begin() + PAIRS / 2});
    // The A button (key Z) is recorded in the replay; the mouse is not.
    game.pressKey("z");
    takeStillPairsChecked(player, {twins.begin() + PAIRS / 2, twins.end()});
    ASSERT_FALSE(HasFailure());

    const FinishedGame finished = finishWithRecord(game, player, MODE_LINE, 5s);
    // Every take pays 12 times the seconds left, which only fall, plus the combos above.
    const long base = finished.score - LINE_IN_ORDER_BONUS;
    EXPECT_EQ(base % SAME_CARD_MULTIPLIER, 0) << finished.score;
    const long records = static_cast<long>(replayRecords(finished.replay).size());
    const long lastSecondsLeft = (FULL_CLOCK - (records - 2) + 59) / 60;
    EXPECT_GE(base, SAME_CARD_MULTIPLIER * PAIRS * lastSecondsLeft) << finished.score;
    EXPECT_LE(base, SAME_CARD_MULTIPLIER * PAIRS * 180) << finished.score;

    const std::vector<ReplayRecord> frames = replayRecords(finished.replay);
    const auto held = std::count_if(frames.begin(), frames.end(),
                                    [](const ReplayRecord& r) { return r.at(0) == 1; });
    const auto pushed = std::count_if(frames.begin(), frames.end(),
                                      [](const ReplayRecord& r) { return r.at(6) == 1; });
    EXPECT_GE(held, 1) << "frames with A held";
    EXPECT_EQ(pushed, 1) << "frames in which A went down";
    for (const ReplayRecord& frame : frames) {
        for (const size_t field : {1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 10u, 11u}) {
            ASSERT_EQ(frame.at(field), 0) << "only A was pressed; field " << field;
        }
    }
}

TEST_F(GamePlay, ARecordWithoutAReplayFolderStillKeepsTheBestAndGoesBackToTheTitle) {
    std::filesystem::remove("replay");
    playLineToARecord(false);
    const std::vector<std::string> lines = logLines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "Cannot open or create file 'replay/replay_01.bin'"),
        lines.end());
    EXPECT_FALSE(std::filesystem::exists("replay")) << "the game makes no folder";
}

TEST_F(GamePlay, MixerCardsStandStillDuringReadyAndMoveOnceTheClockRuns) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.chooseMode(MODE_MIXER);
    const Image readyFirst = player.look();
    std::this_thread::sleep_for(500ms);
    const Image readySecond = player.look();
    std::this_thread::sleep_for(500ms);
    const Image readyThird = player.look();

    player.waitForPlay();
    const Image playFirst = player.lookAway();
    std::this_thread::sleep_for(1s);
    const Image playSecond = player.lookAway();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);

    // Pixels of the board that changed, leaving out where READY / GO! is written.
    const auto boardChanges = [](const Image& a, const Image& b) {
        size_t changed = 0;
        for (int y = BOARD_TOP; y < BOARD_TOP + BOARD_SIDE; ++y) {
            for (int x = BOARD_LEFT; x < BOARD_LEFT + BOARD_SIDE; ++x) {
                const bool text = y >= 200 && y < 232 && x >= 150 && x < 310;
                if (!text && distance(pixelAt(a, x, y), pixelAt(b, x, y)) > 0) ++changed;
            }
        }
        return changed;
    };
    const Image& readyLast =
        readClock(readyThird).value_or(0) == FULL_CLOCK ? readyThird : readySecond;
    ASSERT_EQ(readClock(readyFirst).value_or(0), FULL_CLOCK) << "the first picture is of READY";
    ASSERT_EQ(readClock(readyLast).value_or(0), FULL_CLOCK);
    EXPECT_EQ(boardChanges(readyFirst, readyLast), 0u);
    EXPECT_GE(findCards(readyFirst).size(), 30u) << "cards show during READY";

    EXPECT_GT(boardChanges(playFirst, playSecond), 5000u) << "the cards drift";
    // Right of the board only the animation-free HUD is drawn: score, combo box.
    size_t elsewhere = 0;
    for (int y = BOARD_TOP; y < playFirst.height; ++y) {
        for (int x = BOARD_LEFT + BOARD_SIDE; x < playFirst.width; ++x) {
            if (distance(pixelAt(playFirst, x, y), pixelAt(playSecond, x, y)) > 0) ++elsewhere;
        }
    }
    EXPECT_EQ(elsewhere, 0u);
}

}  // namespace

// Keys alone, the pointer still in the window and never clicked: LINE chosen with Down and
// Z, the first pair picked, dropped with X and picked again, the board cleared row by row
// with the cursor, the results left with Z; the game's watch file then VERIFIED elsewhere,
// by the game and by korvane-verify.
TEST_F(GamePlay, KeysAloneClearLineToARecordThatWatchesVerified) {
    std::vector<std::string> keys;
    for (int row = 0; row < 6; ++row) {
        const std::string along = row % 2 == 0 ? "Right" : "Left";
        for (int pair = 0; pair < PAIRS / 6; ++pair) {
            keys.insert(keys.end(), {"z", along, "z"});
            if (pair + 1 < PAIRS / 6) keys.push_back(along);
        }
        keys.push_back("Down");
    }
    long score = 0;
    {
        GameProcess game;
        Player player(game);
        player.useKeysOnly();
        player.reachTitle();
        player.startMode(MODE_LINE);
        player.press({"z", "z", "x"});  // show the cursor on card 0, pick it, drop it
        EXPECT_FALSE(readPick(player.look()).has_value());
        player.press(keys);
        // A lost key only costs pairs: the clock ends the game with a record all the same.
        score = finishWithRecord(game, player, MODE_LINE, 200s).score;
        EXPECT_GE(score, 2 * 170) << "at least the first pair, taken in the first ten seconds";
    }
    const std::string watch = readFile("replay/replay_01.watch");
    ScratchDir fresh;
    writeFile("best.watch", watch);
    const CommandResult checked = verifyWatchFiles({"best.watch"});
    EXPECT_EQ(checked.output, "best.watch: VERIFIED LINE " + std::to_string(score) + "\n");
    EXPECT_EQ(checked.status, 0);
    GameProcess game({"-watch", "best.watch"});
    EXPECT_TRUE(waitForLogLine("Watch best.watch: VERIFIED " + std::to_string(score), 240s))
        << lastLogLine();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}
