// Start-up, shutdown, blend modes and boxes on the headless platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

// A fresh platform in a scratch folder; each test starts the framework itself.
class StartUp : public ::testing::Test {
protected:
    void SetUp() override { headless::reset(); }
    // What a 640 x 480 start-up throws, "(no error)" when it starts; shut down either way.
    static std::string startUpError() {
        const std::string error = errorOf([] { Tolm_init("KORVANE", 640, 480, false, false); });
        Tolm_quit();
        return error;
    }
    ScratchDir dir;
};

TEST_F(StartUp, OpensTheWindowDeletesTheOldLogAndClearsTheTable) {
    writeFile(LOG_FILE, "old run\n");
    Tolm_init("KORVANE", 800, 600, false, false);
    EXPECT_FALSE(std::filesystem::exists(LOG_FILE));
    const headless::Window& w = headless::window();
    EXPECT_EQ(std::make_tuple(w.caption, w.width, w.height, w.icon, w.cursorShown, w.audioOpen),
              std::make_tuple(std::string("KORVANE"), 800, 600, std::string(ICON_FILE), 1, true));
    EXPECT_EQ(Tolm_getValue(10), 0);
    Tolm_quit();
    EXPECT_FALSE(headless::window().audioOpen);
    EXPECT_EQ(headless::liveTextures(), 0);
}

TEST_F(StartUp, FullScreenHidesTheCursorUnlessKept) {
    for (const bool keepCursor : {false, true}) {
        headless::reset();
        Tolm_init("KORVANE", 640, 480, true, keepCursor);
        EXPECT_EQ(headless::window().cursorShown, keepCursor ? 1 : 0);
        Tolm_quit();
    }
}

TEST_F(StartUp, TellsSdl12CompatNotToScaleUnlessThePlayerChoseOtherwise) {
    constexpr const char* VARIABLE = "SDL12COMPAT_OPENGL_SCALING";
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

TEST_F(StartUp, EachFailureCarriesItsMessageAndShutdownStillCompletes) {
    const std::pair<void (*)(bool), const char*> failures[] = {
        {headless::failInit, "Tolm_init: Couldn't initialize SDL"},
        {headless::failVideo, "Tolm_init: Couldn't set video mode"}};
    for (const auto& [fail, message] : failures) {
        headless::reset();
        fail(true);
        EXPECT_EQ(startUpError(), message);
        EXPECT_EQ(headless::liveTextures(), 0) << message;
    }
    std::filesystem::remove("resource");  // a broken install: the font is the first file read
    headless::reset();
    EXPECT_EQ(startUpError(), "Tolm_Texture::loadBmp : not found file: resource/font/font.bmp");
}

// Neither a missing sound device nor a joystick that will not open stops a start-up.
TEST_F(StartUp, NoAudioDeviceOrUnopenableJoystickIsLoggedAndPlayGoesOn) {
    headless::failAudio(true);
    headless::attachJoysticks(1, 4);
    headless::failJoysticks(true);
    EXPECT_EQ(startUpError(), "(no error)");
    EXPECT_EQ(readFile(LOG_FILE),
              "Tolm_init: no sound, playing in silence: headless: no audio device\n"
              "Tolm_init: joystick 0 skipped: headless: no joystick\n");
    EXPECT_FALSE(headless::window().audioOpen);
    EXPECT_TRUE(Tolm_hasAudioDevice()) << "a later start-up tries the device again";
}

}  // namespace

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
    restart(1280, 960);
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
