// The picture in windows of other sizes: scaled pixel for pixel, and kept 4:3 between bars
// that clicks pass through to nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_process.h"
#include "player.h"
#include "support/needs.h"
#include "support/scratch.h"
#include "x_display.h"

using namespace std::chrono_literals;

namespace {

constexpr int PAIRS = 30;

// The title as a screenshot of the whole window, the pointer off the mode rows.
Image titleShot(const std::vector<std::string>& args, const ViewRect& picture,
                const LaunchOptions& options = {}) {
    std::filesystem::remove("run.log");  // so the last run's lines cannot pass for this one's
    GameProcess game(args, options);
    Player player(game, picture);
    player.reachTitle();
    const Image shot = loadPicture(game.screenshot());
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    return shot;
}

// Every way onto the window: the fragment program, the fixed-function pass of drivers
// without one, and the back buffer's corner of drivers without framebuffer objects.
TEST(ScaledWindow, TheTitleAt1280By960IsThe640By480TitleWithEveryPixelDoubled) {
    ASSERT_TRUE(needsX());
    ScratchDir scratch;
    const Image small = titleShot({}, {0, 0, 640, 480});
    for (const char* hidden : {"", "-GL_ARB_fragment_program", "-GL_EXT_framebuffer_object"}) {
        SCOPED_TRACE(hidden);
        const LaunchOptions options{{std::string("MESA_EXTENSION_OVERRIDE=") + hidden}, {}};
        const Image large = titleShot({"-res", "1280", "960"}, {0, 0, 1280, 960}, options);
        ASSERT_EQ(large.width, 1280);
        ASSERT_EQ(large.height, 960);
        EXPECT_EQ(countDifferentPixels(scaledPicture(small, 1280, 960), large, 0), 0u);
    }
}

// A game of LINE on the picture between 240-pixel bars in 1920 x 1080: a click on the
// left bar, level with the first card, picks nothing; the first pair then goes by clicks.
void expectBarPicksNothingAndAPairGoes(GameProcess& game, Player& player,
                                       const ViewRect& picture) {
    player.startMode(MODE_LINE);
    const Place first = gridPlace(0);
    // Inside the left bar, level with the first card's centre: stretched over the window,
    // this pixel (x 200 of 1920) would land on that card (x 66 of 640).
    const WindowPixel level =
        windowPixelOf(picture, first.x + CARD_SIDE / 2, first.y + CARD_SIDE / 2);
    game.click(200, level.y);
    EXPECT_FALSE(readPick(player.lookAway())) << "a click on the bar picked a card";
    EXPECT_TRUE(player.takeStillPair(first, gridPlace(PAIRS)));
    EXPECT_GT(player.score(), 0);
}

TEST(ScaledWindow, KeepAspectTakesALinePairByClicksAndAClickOnABarPicksNothing) {
    ASSERT_TRUE(needsX());
    ScratchDir scratch;
    const ViewRect picture{240, 0, 1440, 1080};  // 4:3 in 1920 x 1080, bars 240 wide
    GameProcess game({"-res", "1920", "1080", "-keep-aspect"});
    Player player(game, picture);
    player.reachTitle();
    const Image window = loadPicture(game.screenshot());
    EXPECT_EQ(distance(pixelAt(window, 120, 540), Rgb{}), 0) << "the left bar is black";
    EXPECT_EQ(distance(pixelAt(window, 1800, 540), Rgb{}), 0) << "the right bar is black";

    expectBarPicksNothingAndAPairGoes(game, player, picture);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

// Polls until the window has the size, as the game's own screenshot shows it too.
void expectWindowSize(GameProcess& game, int width, int height) {
    game.waitForSize(width, height);
    const WindowSize size = game.windowSize();
    EXPECT_EQ(size.width, width);
    EXPECT_EQ(size.height, height);
    const Image shot = loadPicture(game.screenshot());
    EXPECT_EQ(shot.width, width) << "the game draws at the window's size";
    EXPECT_EQ(shot.height, height);
}

// A storm of sizes down to 1 x 1 while the logo shows; the game then follows the last.
TEST(ScaledWindow, AResizedWindowTakesALinePairByClicksAtItsNewSize) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    GameProcess game;
    for (int i = 0; i < 20; ++i) game.resize(1 + 97 * i, 1 + 53 * (i % 7));
    game.resize(1, 1);
    // Without a window manager the game's own mode changes resize the X window too, so
    // the storm must have died down before the last size is asked for.
    WindowSize last{};
    for (int look = 0; look < 20; ++look) {
        const WindowSize now = game.windowSize();
        if (look > 0 && now.width == last.width && now.height == last.height) break;
        last = now;
        std::this_thread::sleep_for(300ms);
    }
    game.resize(1000, 750);
    expectWindowSize(game, 1000, 750);
    Player player(game, {0, 0, 1000, 750});
    player.reachTitle();
    player.startMode(MODE_LINE);
    EXPECT_TRUE(player.takeStillPair(gridPlace(0), gridPlace(PAIRS)));
    EXPECT_GT(player.score(), 0);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

// On a 1920 x 1080 desktop: full screen at its size with no mode switch, the picture 4:3
// between bars that clicks map through, and F9 back to the window at the size the player
// gave it.
TEST(ScaledWindow, FullScreenTakesTheDesktopWithBarsClicksAndF9BackToTheWindow) {
    ScratchDir scratch;
    PrivateDisplay desktop(1920, 1080);
    const ViewRect picture{240, 0, 1440, 1080};
    GameProcess game({"-fullscreen"});
    expectWindowSize(game, 1920, 1080);
    Player player(game, picture);
    player.reachTitle();
    // Stretched, these two pixels would lie on the title's blue panel.
    const Image title = loadPicture(game.screenshot());
    EXPECT_EQ(distance(pixelAt(title, 200, 540), Rgb{}), 0) << "the left bar is black";
    EXPECT_EQ(distance(pixelAt(title, 1720, 540), Rgb{}), 0) << "the right bar is black";
    EXPECT_GT(distance(pixelAt(title, 400, 540), Rgb{}), 0) << "the panel shows";
    std::string error;
    EXPECT_EQ(visibleCursorPixels(error), 0) << "full screen hides the cursor " << error;
    expectBarPicksNothingAndAPairGoes(game, player, picture);
    // Keys go where the pointer is: it is put back inside the window after each switch.
    const auto switchAndExpect = [&game](int width, int height) {
        game.pressKey("F9");
        game.movePointer(100, 100);
        expectWindowSize(game, width, height);
    };
    switchAndExpect(640, 480);
    game.resize(800, 600);
    expectWindowSize(game, 800, 600);
    switchAndExpect(1920, 1080);
    switchAndExpect(800, 600);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

}  // namespace
