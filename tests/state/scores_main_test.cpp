// The scores screen: opened from the title, switching modes, going back, and what it shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

#include "state/scores_main.h"
#include "state/title_main.h"
#include "support/config_text.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

class ScoresScene : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Tolm_loadWAV("select", "resource/sound/select.wav");
        writeFile("config.ini", configText(0, MODE_SHUFFLE, 700));
    }
    void expectDrawn(const std::vector<std::string>& texts) const {
        for (const std::string& text : texts) EXPECT_NE(findText(text), nullptr) << text;
    }
};

TEST_F(ScoresScene, TheTitleOpensItWithSOrBAndItFollowsTheArrowsUntilSentBack) {
    for (const int code : {KEY_S, KEY_X, KEY_RETURN}) {
        TitleMain title;
        frameWith(title, keyInput(code));
        EXPECT_EQ(title.getMsg(), MSG_SCORES) << code;
    }
    Tolm_setValue(MODE_SLOT, MODE_REVERSE);
    const std::tuple<std::function<void(bool)>, int32_t, int32_t> steps[] = {
        {keyInput(KEY_RIGHT), MODE_LINE, MSG_STAY},
        {keyInput(KEY_LEFT), MODE_REVERSE, MSG_STAY},
        {leftClick(70, 250), MODE_MIXER, MSG_STAY},
        {leftClick(570, 215), MODE_REVERSE, MSG_STAY},
        {leftClick(320, 250), MODE_REVERSE, MSG_TITLE}};
    ScoresMain scores;
    EXPECT_EQ(scores.getMode(), MODE_REVERSE);
    for (const auto& [input, mode, msg] : steps) {
        frameWith(scores, input);
        EXPECT_EQ(std::make_pair(scores.getMode(), scores.getMsg()), std::make_pair(mode, msg));
    }
    for (const int code : {KEY_S, KEY_X}) {
        ScoresMain again;
        frameWith(again, keyInput(code));
        EXPECT_EQ(again.getMsg(), MSG_TITLE) << code;
    }
}

// The arrows' click areas reach ten pixels beyond their drawing on every side.
TEST_F(ScoresScene, TheArrowsClickAreasEndExactlyTenPixelsOut) {
    Tolm_setValue(MODE_SLOT, MODE_SQUARE);
    const std::tuple<int32_t, int32_t, int32_t> clicks[] = {
        {52, 210, MODE_MEMORY}, {102, 290, MODE_MEMORY}, {51, 250, MODE_SQUARE}, {103, 250, MODE_SQUARE},
        {538, 210, MODE_MIXER}, {588, 290, MODE_MIXER}, {537, 250, MODE_SQUARE}, {589, 250, MODE_SQUARE},
        {560, 209, MODE_SQUARE}, {560, 291, MODE_SQUARE}};
    for (const auto& [x, y, mode] : clicks) {
        ScoresMain scores;
        frameWith(scores, leftClick(x, y));
        EXPECT_EQ(scores.getMode(), mode) << x << ", " << y;
    }
}

TEST_F(ScoresScene, ShowsTheDatedTopTenTheUndatedBestAndModesWithoutGames) {
    Tolm_setValue(MODE_SLOT, 0);  // none highlighted: LINE
    writeFile(SCORES_FILE,
              "2026-11-02T10:00:00+01:00 LINE 3000 20 0 TIME\nnot a game\n"
              "2026-12-01T09:00:00+01:00 LINE 6000 30 20 EMPTY\n"
              "2026-12-03T09:00:00+01:00 LINE 1000 4 0 STUCK\n");
    ScoresMain scores;
    EXPECT_EQ(scores.getMode(), MODE_LINE);
    for (int frame = 0; frame < 3; ++frame) frameWith(scores, keyInput(KEY_Z));
    expectDrawn({"LINE", " 1        6000  2026-12-01", " 2        3000  2026-11-02", "GAMES 3",
                 "LAST 3 AVERAGE 3333"});
    EXPECT_EQ(readFile(LOG_FILE), "ScoresMain\nscores.txt: 1 lines skipped\n") << "read once";

    frameWith(scores, keyInput(KEY_RIGHT));
    // No game yet, but the best of config.ini shows undated.
    expectDrawn({"SHUFFLE", " 1         700  ----------", "NO GAMES PLAYED IN THIS MODE"});

    std::string twelve = "2026-11-01T10:00:00+01:00 LINE 7000 30 0 EMPTY\n";
    twelve += twelve;
    for (int game = 0; game < 10; ++game) twelve += "2026-11-02T10:00:00+01:00 LINE 1000 9 0 TIME\n";
    writeFile(SCORES_FILE, twelve);
    ScoresMain many;
    frameWith(many, keyInput(KEY_Z));
    expectDrawn({"GAMES 12", "LAST 10 AVERAGE 1000"});

    std::filesystem::remove(SCORES_FILE);
    std::filesystem::create_directory(SCORES_FILE);
    ScoresMain unreadable;
    frameWith(unreadable, keyInput(KEY_Z));
    EXPECT_FALSE(unreadable.couldRead());
    expectDrawn({"CANNOT READ scores.txt"});
}

}  // namespace
