// Start-up, shutdown, blend modes and boxes on the headless platform.
#include <gtest/gtest.h>

#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {
std::string startUpError() {
    try {
        Tolm_init("KORVANE", 640, 480, false, false);
    } catch (const TolmError& e) {
        Tolm_quit();
        return e.what();
    }
    Tolm_quit();
    return "";
}
}  // namespace

TEST(StartUp, OpensTheWindowDeletesTheOldLogAndClearsTheTable) {
    headless::reset();
    ScratchDir dir;
    writeFile(LOG_FILE, "old run\n");
    Tolm_init("KORVANE", 800, 600, false, false);
    EXPECT_FALSE(std::filesystem::exists(LOG_FILE));
    EXPECT_EQ(headless::window().caption, "KORVANE");
    EXPECT_EQ(headless::window().width, 800);
    EXPECT_EQ(headless::window().height, 600);
    EXPECT_EQ(headless::window().icon, ICON_FILE);
    EXPECT_EQ(headless::window().cursorShown, 1);
    EXPECT_TRUE(headless::window().audioOpen);
    EXPECT_EQ(Tolm_getValue(10), 0);
    Tolm_quit();
    EXPECT_FALSE(headless::window().audioOpen);
    EXPECT_EQ(headless::liveTextures(), 0);
}

TEST(StartUp, FullScreenHidesTheCursorUnlessKept) {
    headless::reset();
    ScratchDir dir;
    Tolm_init("KORVANE", 640, 480, true, false);
    EXPECT_EQ(headless::window().cursorShown, 0);
    Tolm_quit();
    headless::reset();
    Tolm_init("KORVANE", 640, 480, true, true);
    EXPECT_EQ(headless::window().cursorShown, 1);
    Tolm_quit();
}

TEST(StartUp, TellsSdl12CompatNotToScaleUnlessThePlayerChoseOtherwise) {
    constexpr const char* VARIABLE = "SDL12COMPAT_OPENGL_SCALING";
    ScratchDir dir;
    for (const char* chosen : {static_cast<const char*>(nullptr), "1", ""}) {
        headless::reset();
        if (chosen == nullptr) {
            unsetenv(VARIABLE);
        } else {
            setenv(VARIABLE, chosen, 1);
        }
        Tolm_init("KORVANE", 640, 480, false, false);
        ASSERT_NE(std::getenv(VARIABLE), nullptr);
        EXPECT_STREQ(std::getenv(VARIABLE), chosen == nullptr ? "0" : chosen);
        Tolm_quit();
    }
    unsetenv(VARIABLE);
}

TEST(StartUp, EachFailureCarriesItsMessageAndShutdownStillCompletes) {
    ScratchDir dir;
    headless::reset();
    headless::failInit(true);
    EXPECT_EQ(startUpError(), "Tolm_init: Couldn't initialize SDL");
    headless::reset();
    headless::failVideo(true);
    EXPECT_EQ(startUpError(), "Tolm_init: Couldn't set video mode");
    EXPECT_EQ(headless::liveTextures(), 0);
}

// Neither a missing sound device nor a joystick that will not open stops a start-up.
TEST(StartUp, NoAudioDeviceOrUnopenableJoystickIsLoggedAndPlayGoesOn) {
    headless::reset();
    ScratchDir dir;
    headless::failAudio(true);
    headless::attachJoysticks(1, 4);
    headless::failJoysticks(true);
    EXPECT_EQ(startUpError(), "");
    EXPECT_EQ(readFile(LOG_FILE),
              "Tolm_init: no sound, playing in silence: headless: no audio device\n"
              "Tolm_init: joystick 0 skipped: headless: no joystick\n");
    EXPECT_FALSE(headless::window().audioOpen);
    EXPECT_TRUE(Tolm_hasAudioDevice()) << "a later start-up tries the device again";
}

TEST(StartUp, AMissingFontEndsStartUpWithTheLoaderMessage) {
    headless::reset();
    ScratchDir dir(false);
    EXPECT_EQ(startUpError(), "Tolm_Texture::loadBmp : not found file: resource/font/font.bmp");
}

using DrawTest = FrameworkTest;

TEST_F(DrawTest, BlendModesReachThePlatformOnlyWhenKnown) {
    headless::clearDrawCalls();
    for (int mode : {0, 1, 5, 7, -1}) Tolm_setBlendMode(mode);
    std::vector<int32_t> applied;
    for (const auto& call : headless::drawCalls()) applied.push_back(call.blend);
    EXPECT_EQ(applied, (std::vector<int32_t>{BLEND_NONE, BLEND_ALPHA, BLEND_MUL}));
    EXPECT_EQ(Tolm_blendMode(), -1);
}

TEST_F(DrawTest, ABoxOfZeroSideCoversTheWindow) {
    Tolm_quit();
    headless::reset();
    Tolm_init("KORVANE", 1280, 960, false, false);
    headless::clearDrawCalls();
    Tolm_drawBox(10, 10, 100, 50, 2, 45, 255, 255, 255, 255);
    Tolm_drawBox(0, 0, 0, 480, 0, 0, 0, 0, 100, 255);
    const auto& calls = headless::drawCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].box.w, 100);
    EXPECT_EQ(calls[0].box.lineWidth, 2);
    EXPECT_FLOAT_EQ(calls[0].box.angle, 45);
    EXPECT_EQ(calls[1].box.w, 1280);
    EXPECT_EQ(calls[1].box.h, 960);
    EXPECT_EQ(calls[1].box.b, 100);
}
