// The title screen of the real game: the config.ini it writes on a first run, the best
// scores it shows, a stored best it cannot read, how to play at the first start, and a
// click after an idle wait.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/needs.h"
#include "support/scratch.h"

using namespace std::chrono_literals;

namespace {

class TitleScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(needsX());
    }

    static std::string bestInRow(const Image& title, int mode) {
        return readDigits(title, TITLE_SCORE_X, titleRowY(mode), TITLE_SCORE_SCALE, WHITE_TEXT)
            .value_or("unreadable");
    }

    ScratchDir scratch;
};

TEST_F(TitleScreen, FirstRunWritesTheNineDefaultLinesAndShowsSixZeroesPerMode) {
    ASSERT_FALSE(std::filesystem::exists("config.ini"));
    GameProcess game;
    Player player(game);
    const Image title = player.reachTitle();

    EXPECT_EQ(readFile("config.ini"), configText());
    EXPECT_TRUE(showsText(title, "Korvane", 130, 130, 5.0f, Rgb{255, 255, 0}));
    EXPECT_TRUE(showsText(title, "HI SCORE", 360, 190, 1.5f, WHITE_TEXT));
    for (int mode = MODE_LINE; mode <= MODE_REVERSE; ++mode) {
        EXPECT_EQ(bestInRow(title, mode), "000000") << "row " << mode;
    }
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

TEST_F(TitleScreen, StoredBestsShowInTheirRowsWithAtLeastSixDigits) {
    const std::string config =
        "HI_SCORE = 5\nHI_SCORE1 = 7\nHI_SCORE2 = 0\nHI_SCORE3 = 1234\nHI_SCORE4 = 1234567\n"
        "HI_SCORE5 = 99\nHI_SCORE6 = 654321\nHOSHI = 1\nSELECT_HOSHI = 0\n";
    writeFile("config.ini", config);
    GameProcess game;
    Player player(game);
    const Image title = player.reachTitle();

    EXPECT_EQ(bestInRow(title, MODE_LINE), "000007");
    EXPECT_EQ(bestInRow(title, MODE_SHUFFLE), "000000");
    EXPECT_EQ(bestInRow(title, MODE_MEMORY), "001234");
    EXPECT_EQ(bestInRow(title, MODE_SQUARE), "1234567");
    EXPECT_EQ(bestInRow(title, MODE_MIXER), "000099");
    EXPECT_EQ(bestInRow(title, MODE_REVERSE), "654321");
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    EXPECT_EQ(readFile("config.ini"), config) << "the title only reads a good file";
}

TEST_F(TitleScreen, ANegativeStoredBestEndsTheRunAndLeavesTheFileAsItWas) {
    const std::string config = configText(0, MODE_MEMORY, -5);
    writeFile("config.ini", config);
    GameProcess game;
    // The logo runs its course; the title scene that follows cannot read the file.
    EXPECT_EQ(game.waitExit(15s), 0);
    EXPECT_EQ(countLogLines("TitleMain"), 1u);
    EXPECT_EQ(lastLogLine(), "not digit value ... 'HI_SCORE3' -> '-5'");
    EXPECT_EQ(readFile("config.ini"), config);
}

// How to play comes after the logo when there is no config.ini, and a click outside its
// pages leads to the title, which writes the file; the next start goes straight to the title.
TEST_F(TitleScreen, AFirstStartShowsHowToPlayAfterTheLogoAndTheNextStartDoesNot) {
    {
        GameProcess game;
        Player player(game);
        player.skipLogo();
        const Rgb yellow{255, 255, 0};
        EXPECT_TRUE(waitUntil(
            [&] { return showsText(player.lookAway(), "HOW TO PLAY", 188, 62, 3.0f, yellow); },
            10s));
        EXPECT_EQ(countLogLines("TitleMain"), 0u);
        player.leaveHelp();
        EXPECT_TRUE(waitForLogLine("TitleMain"));
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }
    EXPECT_EQ(readFile("config.ini"), configText());
    std::filesystem::remove("run.log");  // so the counts below are the new run's
    GameProcess game;
    Player(game).reachTitle();
    EXPECT_EQ(countLogLines("HelpMain"), 0u);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

// F5 idles the title with LINE highlighted; a click on MIXER's row then starts MIXER, whose
// best the game's HUD shows.
TEST_F(TitleScreen, AClickOnARowRightAfterAnIdleWaitStartsThatRow) {
    writeFile("config.ini", configText(0, MODE_MIXER, 4242));
    GameProcess game;
    Player player(game);
    player.reachTitle();
    game.movePointer(200, titleRowY(MODE_LINE) + 12);
    std::this_thread::sleep_for(100ms);
    game.pressKey("F5");
    std::this_thread::sleep_for(300ms);
    game.click(200, titleRowY(MODE_MIXER) + 12);
    EXPECT_TRUE(waitForLogLine("Gamecoer init"));
    EXPECT_TRUE(waitUntil(
        [&] { return readDigits(player.look(), 410, 30, 4.0f, WHITE_TEXT) == "4242"; }, 5s));
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

}  // namespace
