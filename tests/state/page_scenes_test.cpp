// The scenes on a platform that cannot quit and hands files to and from the player (a page).
#include <gtest/gtest.h>

#include <filesystem>

#include "gamecore/game_main.h"
#include "keypad/watch_file.h"
#include "state/scene_loop.h"
#include "state/scores_main.h"
#include "state/title_main.h"
#include "state/watch_request.h"
#include "support/config_text.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

class PageScenes : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        headless::actAsPage(true);
        resetSceneLoop();
        loadResources();
        writeFile("config.ini", configText());
    }
    void TearDown() override {
        resetSceneLoop();
        takeWatchRequest();
        FrameworkTest::TearDown();
    }
    // Loop passes until the scene is of type Scene; false after 400 passes.
    template <typename Scene>
    bool passUntil() {
        for (int frame = 0; frame < 400; ++frame) {
            if (dynamic_cast<Scene*>(currentScene()) != nullptr) return true;
            execLoop();
            nextFrame();
        }
        return false;
    }
    void escape() {
        headless::setKey(KEY_ESCAPE, true);
        nextFrame();
        execLoop();
        headless::setKey(KEY_ESCAPE, false);
        nextFrame();
    }
};

// Escape leaves a game for the title with no line in the scores; on the title it does
// nothing, and never ends the program.
TEST_F(PageScenes, EscapeLeavesAGameForTheTitleAndLeavesTheTitleAlone) {
    ASSERT_TRUE(passUntil<TitleMain>());
    currentScene()->setMsg(MSG_GAME);
    ASSERT_TRUE(passUntil<GameMain>());
    escape();
    EXPECT_NE(dynamic_cast<TitleMain*>(currentScene()), nullptr);
    GameState* title = currentScene();
    escape();
    EXPECT_EQ(currentScene(), title);
    EXPECT_FALSE(std::filesystem::exists(SCORES_FILE));
}

// A handed watch file plays from the title; a damaged one is logged and the title goes on.
TEST_F(PageScenes, HandedWatchFilesPlayFromTheTitleOrAreLogged) {
    saveWatchFile("good.watch", WatchRecord{});
    writeFile("bad.watch", "damaged");
    for (const char* file : {"bad.watch", "good.watch"}) {
        TitleMain title;
        headless::handFile(file);
        frameWith(title, [](bool) {});
        EXPECT_EQ(title.getMsg(), file == std::string("good.watch") ? MSG_WATCH : MSG_STAY);
    }
    EXPECT_NE(readFile(LOG_FILE).find("Watch bad.watch: truncated\n"), std::string::npos);
}

// D or a click on its line hands over the shown mode's watch file, which only a mode with
// one offers; the desktop shows no such line.
TEST_F(PageScenes, TheScoresScreenOffersTheBestGameWhereThereIsOne) {
    saveWatchFile(watchFile(MODE_LINE), WatchRecord{});
    Tolm_setValue(MODE_SLOT, MODE_LINE);
    ScoresMain scores;
    frameWith(scores, keyInput(KEY_D));
    EXPECT_NE(findText("D: DOWNLOAD BEST GAME"), nullptr);
    frameWith(scores, leftClick(300, 442));
    EXPECT_EQ(scores.getMsg(), MSG_STAY);
    frameWith(scores, keyInput(KEY_RIGHT));
    frameWith(scores, keyInput(KEY_D));
    EXPECT_EQ(findText("D: DOWNLOAD BEST GAME"), nullptr);
    EXPECT_EQ(headless::offeredFiles(),
              std::vector<std::string>(2, watchFile(MODE_LINE)));
    headless::actAsPage(false);
    ScoresMain desktop;
    frameWith(desktop, keyInput(KEY_D));
    EXPECT_EQ(findText("D: DOWNLOAD BEST GAME"), nullptr);
    EXPECT_EQ(headless::offeredFiles().size(), 2u);
}

}  // namespace
