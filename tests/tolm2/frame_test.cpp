// Frame pacing, the quit request, the function keys and the meters.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

using FrameTest = FrameworkTest;

// On time the wait sleeps out the period; late it returns at once, and the next deadline
// counts from the late frame's end.
TEST_F(FrameTest, WaitsOutThePeriodUnlessLateAndCountsTheNextDeadlineFromTheFrameEnd) {
    Tolm_wait(FRAME_PERIOD);
    const uint32_t start = headless::now();
    headless::advance(4);  // the frame's work
    EXPECT_EQ(Tolm_wait(FRAME_PERIOD), 16);
    EXPECT_EQ(headless::now(), start + 16);
    headless::advance(40);
    const uint32_t lateEnd = headless::now();
    EXPECT_EQ(Tolm_wait(FRAME_PERIOD), 40);
    EXPECT_EQ(headless::now(), lateEnd);
    headless::advance(2);
    EXPECT_EQ(Tolm_wait(FRAME_PERIOD), 16);
    EXPECT_EQ(headless::now(), lateEnd + 16);
}

// A frame that ends a little past its deadline does not push the later deadlines back.
TEST_F(FrameTest, AFrameEndingLessThanAPeriodLateKeepsTheNextDeadline) {
    Tolm_wait(FRAME_PERIOD);
    const uint32_t start = headless::now();
    headless::advance(20);
    EXPECT_EQ(Tolm_wait(FRAME_PERIOD), 20);
    headless::advance(2);
    EXPECT_EQ(Tolm_wait(FRAME_PERIOD), 12);
    EXPECT_EQ(headless::now(), start + 32);
}

// Escape, or a window close among other events, ends the run with the quit message.
TEST_F(FrameTest, EscapeAndWindowCloseRaiseTheQuitMessage) {
    const std::function<void()> quits[] = {
        [] { headless::setKey(KEY_ESCAPE, true); },
        [] { headless::requestQuit(), headless::setMouse(5, 5); }};
    for (const auto& quit : quits) {
        restart(640, 480);
        nextFrame();
        quit();
        EXPECT_EQ(errorOf([] { Tolm_wait(FRAME_PERIOD); }), "dTolm system quit.");
    }
}

// Steady frames of 4 ms work settle at 62 or 63 a second and a quarter load; late frames
// show above a hundred, and an eight-hour stall (a suspended laptop) must not overflow.
TEST(FrameMeterTest, MeasuresRateAndLoadAboveAHundredWithoutOverflow) {
    FrameMeter steady, late, stalled;
    for (uint32_t frame = 1; frame <= 200; ++frame) {
        steady.addFrame(4, 1000 + 16 * frame, FRAME_PERIOD);
        late.addFrame(32, 32 * frame, FRAME_PERIOD);
    }
    stalled.addFrame(30000000, 30001000, FRAME_PERIOD);
    EXPECT_GE(steady.fps(), 62);
    EXPECT_LE(steady.fps(), 63);
    EXPECT_EQ(std::make_tuple(steady.cpu(), late.cpu(), stalled.cpu()),
              std::make_tuple(25, 200, 30000000 / FRAME_PERIOD * 100));
}

TEST_F(FrameTest, MetersDrawAtTheGivenPlaceOrAtTheDefault) {
    for (int i = 0; i < 130; ++i) {
        headless::advance(4);
        nextFrame();
    }
    EXPECT_GE(Tolm_getFps(), 62);
    headless::clearDrawCalls();
    Tolm_drawFps(550, 10);
    Tolm_drawFps(-1, 0);
    const auto& calls = headless::drawCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(std::make_pair(calls[0].glyphs.text, calls[0].glyphs.y),
              std::make_pair("FPS:" + std::to_string(Tolm_getFps()), 10));
    EXPECT_EQ(std::make_pair(calls[1].glyphs.text, calls[1].glyphs.y),
              std::make_pair("CPU:" + std::to_string(Tolm_getCpu()), 18));
    EXPECT_EQ(std::make_tuple(calls[2].glyphs.cells.at(0).x, calls[2].glyphs.y, calls[3].glyphs.y),
              std::make_tuple(10, 480 - 24, 480 - 16));
}

TEST_F(FrameTest, HoldingF12SavesOneFinishedFrameBeforeTheSwapTopRowFirst) {
    // Bottom row first, as GL reads it: bottom row red, top row blue (2 x 2 window here).
    // The headless back buffer holds these pixels only between present and swap.
    restart(2, 2);
    headless::setFramebuffer({255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255});
    headless::setKey(KEY_F12, true);
    nextFrame();
    EXPECT_FALSE(std::filesystem::exists(SCREENSHOT_FILE)) << "saved before a frame was drawn";
    Tolm_flip();
    Image shot;
    ASSERT_TRUE(plat::loadBmp(SCREENSHOT_FILE, shot));
    ASSERT_EQ(shot.width, 2);
    EXPECT_EQ(shot.at(0, 0) & 0xFFFFFF, 0xFF0000u);  // blue on top
    EXPECT_EQ(shot.at(1, 1) & 0xFFFFFF, 0x0000FFu);  // red below
    std::filesystem::remove(SCREENSHOT_FILE);
    Tolm_wait(FRAME_PERIOD);
    nextFrame();
    EXPECT_FALSE(std::filesystem::exists(SCREENSHOT_FILE)) << "a held key saves once";
    headless::setKey(KEY_F12, false);
    nextFrame();
    tap(keyInput(KEY_F12));
    EXPECT_TRUE(std::filesystem::exists(SCREENSHOT_FILE));
}

TEST_F(FrameTest, F9TwiceReturnsToTheWindowWithEveryTextureRebuilt) {
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    Tolm_setBlendMode(7);
    const int live = headless::liveTextures();
    tap(keyInput(KEY_F9));
    EXPECT_TRUE(headless::window().fullscreen);
    EXPECT_TRUE(Tolm_isFullScreen());
    EXPECT_EQ(headless::liveTextures(), live);
    EXPECT_EQ(Tolm_blendMode(), 7);
    tap(keyInput(KEY_F9));
    EXPECT_FALSE(headless::window().fullscreen);
    EXPECT_EQ(headless::liveTextures(), live);
    EXPECT_NO_THROW(Tolm_drawTexture("logo", 0, 0, 0, 0, 0, 0, 1, 1, 0, 255, 255, 255, 255));
}

// The window after a frame: its size, full screen or not, and the picture the mouse maps
// through. A storm is 50 resizes ending at the one given.
struct WindowStep {
    enum Act { RESIZE, STORM, F9 } act;
    int32_t width, height;  // the resize asked for
    int32_t windowWidth, windowHeight;
    bool fullscreen;
    ViewRect picture;
};

// One run of resizes (down to nothing, and a storm) and F9 switches. Without "-res" full
// screen takes the desktop's size with bars, and F9 goes back to the last window size.
TEST_F(FrameTest, TheWindowFollowsResizesAndF9ComesBackToTheLastWindowSize) {
    const std::vector<WindowStep> steps = {
        {WindowStep::F9, 0, 0, 640, 480, false, {0, 0, 640, 480}},
        {WindowStep::RESIZE, 1280, 960, 1280, 960, false, {0, 0, 1280, 960}},
        {WindowStep::RESIZE, 0, 0, 1, 1, false, {0, 0, 1, 1}},
        {WindowStep::RESIZE, -3, 500, 1, 500, false, {0, 0, 1, 500}},
        {WindowStep::STORM, 801, 599, 801, 599, false, {0, 0, 801, 599}},
        {WindowStep::F9, 0, 0, 1920, 1080, true, {240, 0, 1440, 1080}},
        {WindowStep::RESIZE, 1000, 1000, 1920, 1080, true, {240, 0, 1440, 1080}},
        {WindowStep::F9, 0, 0, 801, 599, false, {0, 0, 801, 599}},
    };
    for (const bool keepContext : {true, false}) {
        SCOPED_TRACE(keepContext ? "context kept" : "context lost");
        restart(640, 480, true, true, [&] { headless::keepContextOnModeChange(keepContext); });
        Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
        const int live = headless::liveTextures();
        const int created = headless::createdTextures();
        for (const WindowStep& step : steps) {
            SCOPED_TRACE(std::to_string(step.windowWidth) + " x " +
                         std::to_string(step.windowHeight));
            const int modes = headless::window().videoModes;
            if (step.act == WindowStep::STORM) {
                for (int i = 0; i < 50; ++i) headless::resizeWindow(i * 37 - 9, 1000 - i * 23);
            }
            if (step.act != WindowStep::F9) headless::resizeWindow(step.width, step.height);
            headless::setKey(KEY_F9, step.act == WindowStep::F9);
            nextFrame();
            headless::setKey(KEY_F9, false);
            const headless::Window& w = headless::window();
            EXPECT_EQ(std::make_tuple(w.width, w.height, w.fullscreen),
                      std::make_tuple(step.windowWidth, step.windowHeight, step.fullscreen));
            EXPECT_EQ(w.picture, step.picture);
            EXPECT_EQ(Tolm_pictureRect(), step.picture) << "the mouse maps where the picture is";
            EXPECT_LE(w.videoModes, modes + 1) << "one new mode a frame at most";
            EXPECT_EQ(headless::liveTextures(), live) << "every texture is there";
        }
        headless::setMouse(800, 598);
        EXPECT_EQ(std::make_pair(Tolm_mouseX(), Tolm_mouseY()), std::make_pair(639, 479));
        EXPECT_EQ(headless::createdTextures() == created, keepContext) << "rebuilt only when lost";
        EXPECT_NO_THROW(Tolm_drawTexture("logo", 0, 0, 0, 0, 0, 0, 1, 1, 0, 255, 255, 255, 255));
    }
    // With "-res", or a desktop of unknown size, full screen is the size given, stretched.
    for (const bool desktopKnown : {true, false}) {
        restart(800, 600, true, !desktopKnown,
                [&] { headless::setDesktop(desktopKnown ? 1920 : 0, desktopKnown ? 1080 : 0); });
        EXPECT_EQ(headless::window().width, 800);
        EXPECT_EQ(headless::window().picture, (ViewRect{0, 0, 800, 600}));
    }
}

// A kept size larger than the 1920 x 1080 desktop opens at the largest 4:3 size that fits
// it; one given by "-res" opens as given. The options screen's switches act at once.
TEST_F(FrameTest, AWindowLargerThanTheDesktopFitsItAndTheOptionSwitchesActAtOnce) {
    for (const auto& [width, height, kept, opened] :
         {std::make_tuple(2000, 1500, true, ViewRect{0, 0, 1440, 1080}),
          std::make_tuple(2000, 900, true, ViewRect{0, 0, 1440, 1080}),
          std::make_tuple(2000, 1500, false, ViewRect{0, 0, 2000, 1500}),
          std::make_tuple(1600, 900, true, ViewRect{0, 0, 1600, 900})}) {
        restart(width, height, false, kept);
        EXPECT_EQ(headless::window().picture, opened);
    }
    Tolm_setKeepAspect(true);
    EXPECT_EQ(headless::window().picture, (ViewRect{200, 0, 1200, 900}));
    Tolm_setFullScreen(true);
    EXPECT_TRUE(headless::window().fullscreen);
    EXPECT_EQ(headless::window().width, 1920);
}

TEST_F(FrameTest, F4RebuildsF5IconifiesF10TogglesTheCursor) {
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    const int created = headless::createdTextures();
    for (int key : {KEY_F4, KEY_F5, KEY_F10}) headless::setKey(key, true);
    nextFrame();
    EXPECT_EQ(headless::createdTextures(), created + 2);  // the font and "logo"
    EXPECT_EQ(headless::window().iconified, 1);
    EXPECT_EQ(headless::window().cursorShown, 0);
    nextFrame();  // held, not pushed again
    EXPECT_EQ(headless::window().iconified, 1);
    EXPECT_EQ(headless::window().cursorShown, 0);
    EXPECT_FALSE(Tolm_frameWanted()) << "iconified, in any scene: nothing to draw";
    headless::setMouseButtons(MOUSE_LEFT);
    nextFrame();
    EXPECT_TRUE(Tolm_frameWanted()) << "a click shows the window in use";
    headless::setKey(KEY_F5, false);
    nextFrame();
    headless::setKey(KEY_F5, true);
    nextFrame();
    headless::setKey(KEY_X, true);
    nextFrame();
    nextFrame();
    EXPECT_TRUE(Tolm_frameWanted()) << "so does a key, and every frame after it is drawn";
}

TEST_F(FrameTest, F4WithATextureFileGoneEndsTheRunWithItsMessage) {
    std::filesystem::copy_file("resource/image/logo.bmp", "gone.bmp");
    Tolm_loadTexture("gone", "gone.bmp", MASK_GREEN);
    std::filesystem::remove("gone.bmp");
    headless::setKey(KEY_F4, true);
    EXPECT_EQ(errorOf([] { Tolm_wait(FRAME_PERIOD); }),
              "Tolm_Texture::loadBmp : not found file: gone.bmp");
}
