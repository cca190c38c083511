// The scene loop's message handling and the logo splash's timing.
#include <gtest/gtest.h>

#include "state/help_main.h"
#include "state/logo_main.h"
#include "state/scene_loop.h"
#include "state/title_main.h"
#include "support/config_text.h"
#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

class SceneLoopTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        resetSceneLoop();
    }
    void TearDown() override {
        resetSceneLoop();
        FrameworkTest::TearDown();
    }
    // One pass of the loop and the frame boundary after it, as the entry runs them.
    bool pass() {
        const bool goOn = execLoop();
        nextFrame();
        return goOn;
    }
};

TEST_F(SceneLoopTest, SharedResourcesLoadAndAreLogged) {
    loadResources();
    EXPECT_EQ(Tolm_findTexture("font"), nullptr);  // the framework's own font is the one
    EXPECT_NE(Tolm_findTexture("menu"), nullptr);
    EXPECT_EQ(readFile(LOG_FILE), "resource loaded.\n");
}

TEST_F(SceneLoopTest, FirstPassMakesTheLogoAndLogsOnce) {
    EXPECT_TRUE(pass());
    EXPECT_NE(dynamic_cast<LogoMain*>(currentScene()), nullptr);
    EXPECT_NE(Tolm_findTexture("logo"), nullptr);
    EXPECT_TRUE(pass());
    EXPECT_EQ(readFile(LOG_FILE), "Exec loop.\n");
}

TEST_F(SceneLoopTest, UnknownMessageLogsAndEndsAfterOneMoreFrame) {
    for (int32_t message : {4, MSG_HELP + 1, -1}) {
        resetSceneLoop();
        pass();
        GameState* logo = currentScene();
        logo->setMsg(message);
        headless::clearDrawCalls();
        EXPECT_FALSE(execLoop());
        EXPECT_EQ(currentScene(), logo);
        EXPECT_FALSE(headless::drawCalls().empty());  // stepped and drawn once more
    }
    const std::string log = readFile(LOG_FILE);
    EXPECT_NE(log.find("Unknown msg at loop.Exec loop.\nUnknown msg at loop."), std::string::npos);
}

TEST_F(SceneLoopTest, LogoMessageShowsTheSplashAgainWithAFreshCount) {
    pass();
    GameState* first = currentScene();
    first->setMsg(MSG_LOGO);
    pass();
    EXPECT_NE(currentScene(), first);
    for (int frame = 2; frame <= LOGO_FRAMES; ++frame) pass();
    EXPECT_EQ(currentScene()->getMsg(), MSG_STAY);
}

// How to play comes instead of the title while there is no config.ini.
TEST_F(SceneLoopTest, LogoShows181FramesThenTheTitleOrHowToPlayAtTheFirstStart) {
    for (const bool firstStart : {true, false}) {
        resetSceneLoop();
        if (!firstStart) writeFile("config.ini", configText());
        int frames = 0;
        while (dynamic_cast<LogoMain*>(currentScene()) != nullptr || frames == 0) {
            pass();
            ++frames;
            ASSERT_LT(frames, 400);
        }
        // The next scene arrives in the 182nd frame of the run.
        EXPECT_EQ(frames, 182);
        EXPECT_EQ(dynamic_cast<HelpMain*>(currentScene()) != nullptr, firstStart);
        EXPECT_EQ(dynamic_cast<TitleMain*>(currentScene()) != nullptr, !firstStart);
    }
}

TEST_F(SceneLoopTest, ALeftClickCutsTheLogoShortButOtherButtonsDoNot) {
    writeFile("config.ini", configText());
    pass();
    headless::setMouseButtons(MOUSE_RIGHT | MOUSE_MIDDLE);
    pass();
    pass();
    EXPECT_EQ(currentScene()->getMsg(), MSG_STAY);
    headless::setMouseButtons(MOUSE_LEFT);
    pass();                                   // the click is sampled for the next frame
    EXPECT_EQ(currentScene()->getMsg(), MSG_STAY);
    pass();                                   // the logo sees it and asks for the title
    EXPECT_EQ(currentScene()->getMsg(), MSG_TITLE);
    pass();
    EXPECT_NE(dynamic_cast<TitleMain*>(currentScene()), nullptr);
}

TEST_F(SceneLoopTest, AButtonHeldSinceBeforeTheLogoDoesNotCutItShort) {
    headless::setMouseButtons(MOUSE_LEFT);
    nextFrame();
    for (int frame = 0; frame < 10; ++frame) pass();
    EXPECT_EQ(currentScene()->getMsg(), MSG_STAY);
}

TEST_F(SceneLoopTest, LogoDrawsItsPictureAt160By120) {
    pass();
    headless::clearDrawCalls();
    currentScene()->draw();
    const auto quads = quadsOf("logo");
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].x, 160);
    EXPECT_FLOAT_EQ(quads[0].y, 120);
    EXPECT_FLOAT_EQ(quads[0].w, 320);
    EXPECT_EQ(headless::drawCalls().front().kind, headless::DrawCall::CLEAR);
}

TEST_F(SceneLoopTest, AMissingLogoEndsTheFirstStepWithTheLoaderMessage) {
    Tolm_quit();
    scratch.reset();
    headless::reset();
    scratch = std::make_unique<ScratchDir>(false);
    std::filesystem::create_directories("resource/font");
    std::filesystem::copy_file(sourceDir() / "resource/font/font.bmp", "resource/font/font.bmp");
    Tolm_init("KORVANE", 640, 480, false, false);
    EXPECT_EQ(errorOf([] { execLoop(); }),
              "Tolm_Texture::loadBmp : not found file: resource/image/logo.bmp");
}
