// The picture in windows of other sizes: scaled pixel for pixel, and kept 4:3 between bars
// that clicks pass through to nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_process.h"
#include "player.h"
#include "support/needs.h"
#include "support/scratch.h"

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

    player.startMode(MODE_LINE);
    const Place first = gridPlace(0);
    const Place twin = gridPlace(PAIRS);
    // Inside the left bar, level with the first card's centre: stretched over the window,
    // this pixel (x 200 of 1920) would land on that card (x 66 of 640).
    const WindowPixel level =
        windowPixelOf(picture, first.x + CARD_SIDE / 2, first.y + CARD_SIDE / 2);
    game.click(200, level.y);
    EXPECT_FALSE(readPick(player.lookAway())) << "a click on the bar picked a card";
    EXPECT_TRUE(player.takeStillPair(first, twin));
    EXPECT_GT(player.score(), 0);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

}  // namespace
