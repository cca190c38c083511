// The built game on an X display: its window, its log, the ways it ends, and screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "e2e_files.h"
#include "game_process.h"
#include "support/needs.h"
#include "support/scratch.h"

using namespace std::chrono_literals;

namespace {

inline constexpr const char* QUIT_LINE = "dTolm system quit.";
inline constexpr const char* FIRST_FRAME_LINE = "Exec loop.";
inline constexpr const char* LOGO_FILE = "resource/image/logo.bmp";
// Where the logo scene puts the top-left 320 x 320 of the logo in the 640 x 480 window.
inline constexpr int LOGO_X = 160;
inline constexpr int LOGO_Y = 120;
inline constexpr int LOGO_SIDE = 320;

// A run of the game in its own scratch folder with the repository's resources.
class GameRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(needsX()); }

    // The log of a run that started, showed frames and was asked to quit.
    static void expectQuitLog() {
        const std::vector<std::string> lines = logLines();
        const auto loaded = std::find(lines.begin(), lines.end(), "resource loaded.");
        const auto looping = std::find(lines.begin(), lines.end(), FIRST_FRAME_LINE);
        EXPECT_NE(loaded, lines.end());
        EXPECT_NE(looping, lines.end());
        EXPECT_LT(loaded, looping) << "resources load before the first frame";
        EXPECT_EQ(lastLogLine(), QUIT_LINE);
    }

    ScratchDir scratch;
};

TEST_F(GameRun, DefaultWindowIsKorvaneAt640x480AndEscapeQuitsCleanly) {
    GameProcess game;
    EXPECT_EQ(game.windowName(), "KORVANE");
    const WindowSize size = game.windowSize();
    EXPECT_EQ(size.width, 640);
    EXPECT_EQ(size.height, 480);

    ASSERT_TRUE(waitForLogLine(FIRST_FRAME_LINE));
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    expectQuitLog();
    EXPECT_NE(game.standardOutput().find(std::string(QUIT_LINE) + "\n"), std::string::npos);
}

TEST_F(GameRun, ResOptionSizesTheWindowAndTheCloseBoxQuitsCleanly) {
    GameProcess game({"-res", "800", "600"});
    const WindowSize size = game.windowSize();
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);

    ASSERT_TRUE(waitForLogLine(FIRST_FRAME_LINE));
    game.closeWindow();
    EXPECT_EQ(game.waitExit(), 0);
    expectQuitLog();
}

TEST_F(GameRun, F12SavesTheWindowAsA24BitBmpWithTheTopRowFirst) {
    GameProcess game;
    ASSERT_TRUE(waitForLogLine(FIRST_FRAME_LINE));
    const std::filesystem::path shot = game.screenshot();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);

    const BmpHeader header = readBmpHeader(shot);
    EXPECT_EQ(header.bitCount, 24);
    EXPECT_EQ(header.width, 640);
    EXPECT_EQ(std::abs(header.height), 480);

    // The logo square sits 120 pixels from the top and 40 from the bottom, so a picture
    // stored upside down or shifted cannot match the logo where it is drawn.
    const Image picture = loadPicture(shot);
    const Image logo = loadPicture(LOGO_FILE);
    const Rgb colourKey{0, 255, 0};
    int opaque = 0;
    int bright = 0;
    int matching = 0;
    for (int y = 0; y < LOGO_SIDE; y += 8) {
        for (int x = 0; x < LOGO_SIDE; x += 8) {
            const Rgb expected = pixelAt(logo, x, y);
            if (distance(expected, colourKey) == 0) continue;
            ++opaque;
            if (distance(expected, Rgb{}) > 40) ++bright;
            if (distance(pixelAt(picture, LOGO_X + x, LOGO_Y + y), expected) <= 24) ++matching;
        }
    }
    ASSERT_GT(bright, 100) << "the logo needs visible pixels for this test to mean anything";
    EXPECT_GE(matching * 100, opaque * 98) << matching << " of " << opaque << " logo pixels";
    EXPECT_EQ(distance(pixelAt(picture, 20, 20), Rgb{}), 0) << "outside the logo is black";
    EXPECT_EQ(distance(pixelAt(picture, 620, 460), Rgb{}), 0);
}

TEST_F(GameRun, F9TwiceComesBackToTheSamePictureWithItsTextures) {
    GameProcess game;
    ASSERT_TRUE(waitForLogLine(FIRST_FRAME_LINE));
    const Image before = loadPicture(game.screenshot());
    // A switch can take longer than the key is held, so the second press waits until the
    // game draws in full screen: a press that begins and ends within one frame is not seen.
    game.pressKey("F9");
    EXPECT_NE(loadPicture(game.screenshot()).width, 640) << "full screen, at the desktop's size";
    game.pressKey("F9");
    // The second F12 also proves that a new screenshot replaces the old file.
    const Image after = loadPicture(game.screenshot());
    const bool stillLogo = !waitForLogLine("TitleMain", 0ms) && !waitForLogLine("HelpMain", 0ms);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);

    ASSERT_TRUE(stillLogo) << "the logo ended between the screenshots; nothing to compare";
    EXPECT_GT(distance(pixelAt(before, 320, 240), Rgb{}), 0) << "the logo shows at first";
    const size_t allowed = before.pixels.size() / 1000;
    EXPECT_LE(countDifferentPixels(before, after, 8), allowed);
}

TEST(GameRunFailure, AMissingLogoEndsTheRunWithTheLoadersMessageAndStatusZero) {
    ASSERT_TRUE(needsX());
    ScratchDir scratch(false);
    linkResourcesWithout(scratch.path(), "image/logo.bmp");
    GameProcess game;
    EXPECT_EQ(game.waitExit(), 0);
    const std::vector<std::string> lines = logLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), FIRST_FRAME_LINE), lines.end());
    EXPECT_EQ(lastLogLine(), "Tolm_Texture::loadBmp : not found file: resource/image/logo.bmp");
}

TEST(GameRunFailure, AnUnusableWindowSizeStopsWithUsageBeforeAnyWindow) {
    const std::vector<std::vector<std::string>> badLines{
        {"-res", "0", "0"}, {"-res", "abc", "480"}, {"-res"}, {"-res", "0\n", "0"}};
    for (const std::vector<std::string>& args : badLines) {
        SCOPED_TRACE(::testing::PrintToString(args));
        ScratchDir scratch;
        GameProcess game(args);
        EXPECT_EQ(game.waitExit(), 2);
        const std::string error = game.standardError();
        EXPECT_NE(error.find("usage:"), std::string::npos) << error;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
        EXPECT_TRUE(!error.empty() && error.back() == '\n');
        // The framework logs as soon as it has started; no log means no window was opened.
        EXPECT_FALSE(std::filesystem::exists("run.log"));
        EXPECT_EQ(game.standardOutput(), "");
    }
}

}  // namespace
