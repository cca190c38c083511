// The options screen and the window kept from one run to the next, on the real game.
#include <gtest/gtest.h>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_process.h"
#include "player.h"
#include "support/config_text.h"
#include "support/scratch.h"
#include "x_display.h"

using namespace std::chrono_literals;

namespace {

// On a 1024 x 768 desktop full screen shows the picture with no bars.
constexpr int DESKTOP_W = 1024;
constexpr int DESKTOP_H = 768;

// Ends a run with Escape; the file as the run left it.
std::string quit(GameProcess& game) {
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    return readFile("config.ini");
}

// Presses key until config.ini reads text: a frame stalled by the last save's sync can
// miss a press.
void pressUntilSaved(GameProcess& game, const std::string& key, const std::string& text) {
    for (int tries = 0; tries < 3 && readFile("config.ini") != text; ++tries) {
        game.pressKey(key);
        waitUntil([&text] { return readFile("config.ini") == text; }, 2s);
    }
    EXPECT_EQ(readFile("config.ini"), text) << "after " << key;
}

// Keys alone set MUSIC to 3 and FULL SCREEN on in a window the player made 800 x 600; the
// next start is full screen with MUSIC at 3, and "-window" opens the kept 800 x 600 for
// one run, changing nothing in the file.
TEST(Options, KeysSetMusicAndFullScreenTheNextRunKeepsThemAndTheWindowAndMinusWindowWinsOnce) {
    ScratchDir scratch;
    PrivateDisplay desktop(DESKTOP_W, DESKTOP_H);
    const std::string before = configText();  // not a first start
    writeFile("config.ini", before);
    const std::string chosen = before + "MUSIC_VOLUME = 3\nFULLSCREEN = 1\n";
    const std::string kept = chosen + "WINDOW_WIDTH = 800\nWINDOW_HEIGHT = 600\n";
    {
        GameProcess game;
        Player player(game);
        player.useKeysOnly();
        player.reachTitle();
        game.resize(800, 600);
        ASSERT_TRUE(game.waitForSize(800, 600));
        EXPECT_EQ(loadPicture(game.screenshot()).width, 800) << "the game follows the size";
        player.press({"o"});
        ASSERT_TRUE(waitForLogLine("OptionsMain"));
        for (int level = 9; level >= 3; --level) {
            const std::string music = "MUSIC_VOLUME = " + std::to_string(level) + "\n";
            pressUntilSaved(game, "Left", before + music);
        }
        player.press({"Down", "Down", "Down"});
        pressUntilSaved(game, "Right", chosen);
        EXPECT_TRUE(game.waitForSize(DESKTOP_W, DESKTOP_H)) << "full screen at once";
        EXPECT_EQ(quit(game), kept) << "the window's size is kept at the end of the run";
    }
    {
        GameProcess game;
        EXPECT_TRUE(game.waitForSize(DESKTOP_W, DESKTOP_H)) << "the next start is full screen";
        Player player(game, {0, 0, DESKTOP_W, DESKTOP_H});
        player.useKeysOnly();
        player.reachTitle();
        player.press({"o"});
        ASSERT_TRUE(waitForLogLine("OptionsMain"));
        EXPECT_EQ(readDigits(player.look(), 448, 140, 2.5f, WHITE_TEXT), "3");
        EXPECT_EQ(quit(game), kept);
    }
    GameProcess game({"-window"});
    EXPECT_TRUE(game.waitForSize(800, 600)) << "the kept size, in a window";
    EXPECT_EQ(quit(game), kept);
}

}  // namespace
