// The scores screen: opened from the title, switching modes, going back, and what it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "state/scores_main.h"
#include "state/title_main.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* CONFIG =
    "HI_SCORE = 0\nHI_SCORE1 = 5000\nHI_SCORE2 = 700\nHI_SCORE3 = 0\nHI_SCORE4 = 0\n"
    "HI_SCORE5 = 0\nHI_SCORE6 = 0\nHOSHI = 1\nSELECT_HOSHI = 0\n";

class ScoresScene : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Tolm_loadWAV("select", "resource/sound/select.wav");
        writeFile("config.ini", CONFIG);
    }
    // Holds what press sets for one frame in which scene steps and draws, then lets go.
    void frameWith(GameState& scene, const std::function<void(bool)>& press) {
        press(true);
        nextFrame();
        headless::clearDrawCalls();
        scene.step();
        scene.draw();
        press(false);
        nextFrame();
    }
    static std::function<void(bool)> key(int code) {
        return [code](bool down) { headless::setKey(code, down); };
    }
    static std::function<void(bool)> click(int32_t x, int32_t y) {
        return [x, y](bool down) {
            headless::setMouse(x, y);
            headless::setMouseButtons(down ? MOUSE_LEFT : 0);
        };
    }
    bool drew(const std::string& text) const {
        const std::vector<std::string> texts = drawnTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST_F(ScoresScene, TheTitleOpensItWithSOrBAndItFollowsTheArrowsUntilSentBack) {
    for (const int code : {KEY_S, KEY_X, KEY_RETURN}) {
        TitleMain title;
        frameWith(title, key(code));
        EXPECT_EQ(title.getMsg(), MSG_SCORES) << code;
    }
    Tolm_setValue(MODE_SLOT, MODE_REVERSE);
    const struct {
        std::function<void(bool)> input;
        int32_t mode;
        int32_t msg;
    } steps[] = {
        {key(KEY_RIGHT), MODE_LINE, MSG_STAY},   {key(KEY_LEFT), MODE_REVERSE, MSG_STAY},
        {click(70, 250), MODE_MIXER, MSG_STAY},  {click(570, 215), MODE_REVERSE, MSG_STAY},
        {click(320, 250), MODE_REVERSE, MSG_TITLE},
    };
    ScoresMain scores;
    EXPECT_EQ(scores.getMode(), MODE_REVERSE);
    for (const auto& step : steps) {
        frameWith(scores, step.input);
        EXPECT_EQ(scores.getMode(), step.mode);
        EXPECT_EQ(scores.getMsg(), step.msg);
    }
    for (const int code : {KEY_S, KEY_X}) {
        ScoresMain again;
        frameWith(again, key(code));
        EXPECT_EQ(again.getMsg(), MSG_TITLE) << code;
    }
    Tolm_setValue(MODE_SLOT, 0);
    EXPECT_EQ(ScoresMain().getMode(), MODE_LINE) << "no mode highlighted";
}

TEST_F(ScoresScene, ShowsTheDatedTopTenTheUndatedBestAndModesWithoutGames) {
    writeFile(SCORES_FILE,
              "2026-11-02T10:00:00+01:00 LINE 3000 20 0 TIME\nnot a game\n"
              "2026-12-01T09:00:00+01:00 LINE 6000 30 20 EMPTY\n"
              "2026-12-03T09:00:00+01:00 LINE 1000 4 0 STUCK\n");
    ScoresMain scores;
    for (int frame = 0; frame < 3; ++frame) frameWith(scores, key(KEY_Z));
    EXPECT_TRUE(drew("LINE"));
    EXPECT_TRUE(drew(" 1        6000  2026-12-01"));
    EXPECT_TRUE(drew(" 2        3000  2026-11-02"));
    EXPECT_TRUE(drew("GAMES 3"));
    EXPECT_TRUE(drew("LAST 3 AVERAGE 3333"));
    EXPECT_EQ(readFile(LOG_FILE), "ScoresMain\nscores.txt: 1 lines skipped\n") << "read once";

    frameWith(scores, key(KEY_RIGHT));
    EXPECT_TRUE(drew("SHUFFLE"));
    EXPECT_TRUE(drew(" 1         700  ----------")) << "the best of config.ini, undated";
    EXPECT_TRUE(drew("NO GAMES PLAYED IN THIS MODE"));

    std::filesystem::remove(SCORES_FILE);
    std::filesystem::create_directory(SCORES_FILE);
    ScoresMain unreadable;
    frameWith(unreadable, key(KEY_Z));
    EXPECT_FALSE(unreadable.couldRead());
    EXPECT_TRUE(drew("CANNOT READ scores.txt"));
}

}  // namespace
