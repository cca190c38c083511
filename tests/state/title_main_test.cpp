// The title scene: default config file, scores shown, the pointer rows, the sound and the click.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "keypad/watch_file.h"
#include "state/title_main.h"
#include "state/watch_request.h"
#include "support/config_text.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

const std::string DEFAULT_FILE = configText();

class TitleScene : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        Tolm_loadWAV("select", "resource/sound/select.wav");
        headless::clearSoundCalls();
    }
    // One frame of the scene loop: step and draw, then the frame boundary.
    void runFrame(TitleMain& title) {
        headless::clearDrawCalls();
        title.step();
        title.draw();
        nextFrame();
    }
    // Moves the pointer, lets the next frame sample it, and runs that frame.
    void hover(TitleMain& title, int32_t x, int32_t y) {
        headless::setMouse(x, y);
        nextFrame();
        runFrame(title);
    }
    // The first drawing of text is at (x, y) with cells of scale * 8 in r, g, b, opaque.
    void expectText(const std::string& text, int32_t x, int32_t y, float scale, int r, int g,
                    int b) {
        const plat::GlyphRun* run = findText(text);
        ASSERT_NE(run, nullptr) << text;
        EXPECT_EQ(run->cells.front().x, x) << text;
        EXPECT_EQ(run->y, y) << text;
        EXPECT_FLOAT_EQ(run->cell, scale * 8) << text;
        EXPECT_EQ(std::vector<int>({run->r, run->g, run->b, run->a}),
                  std::vector<int>({r, g, b, 255}))
            << text;
    }
    // Pushes button, lets the next frame sample it, runs that frame and lets go.
    void push(TitleMain& title, uint8_t button) {
        headless::setMouseButtons(button);
        nextFrame();
        runFrame(title);
        headless::setMouseButtons(0);
    }
    // The text drawn light green, the highlight, and its y; ("", -1) when there is none.
    std::pair<std::string, int32_t> highlight() const {
        for (const headless::DrawCall& call : headless::drawCalls()) {
            const plat::GlyphRun& run = call.glyphs;
            if (call.kind != headless::DrawCall::GLYPHS) continue;
            if (run.r == 100 && run.g == 255 && run.b == 100) return {run.text, run.y};
        }
        return {"", -1};
    }
    size_t selectPlays() const { return playedSounds().size(); }
};

TEST_F(TitleScene, MissingConfigIsWrittenWithTheNineDefaults) {
    TitleMain title;
    EXPECT_EQ(readFile("config.ini"), DEFAULT_FILE);
    EXPECT_EQ(title.getHiScores(), (std::array<int32_t, 7>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(title.getMsg(), MSG_STAY);
    EXPECT_EQ(readFile("run.log"), "TitleMain\n");
    runFrame(title);
    const std::vector<std::string> texts = drawnTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "000000"), 6);
}

TEST_F(TitleScene, ScoresArePaddedToSixDigitsOnTheirRows) {
    writeFile("config.ini",
              "HI_SCORE=5\nHI_SCORE1=0\nHI_SCORE2=0\nHI_SCORE3 = 1234\nHI_SCORE4=0\n"
              "HI_SCORE5=0\nHI_SCORE6=1234567\nHOSHI=1\nSELECT_HOSHI=0\n");
    TitleMain title;
    EXPECT_EQ(title.getHiScores()[0], 5);
    runFrame(title);
    expectText("001234", 350, 270, 2.5f, 255, 255, 255);
    expectText("1234567", 350, 360, 2.5f, 255, 255, 255);
    EXPECT_EQ(findText("000005"), nullptr);  // mode 0 is read but not shown
}

// A missing key reads 0; a value of the wrong form reads 0 and is logged; neither is repaired.
TEST_F(TitleScene, MissingKeyOrSignedValueReadsZeroWithoutRepair) {
    const struct { std::string file; int32_t best0, best2; const char* logged; } cases[] = {
        {DEFAULT_FILE.substr(0, DEFAULT_FILE.find("SELECT_HOSHI")), 0, 0, "TitleMain\n"},
        {"HI_SCORE = -1\nHI_SCORE2 = 7\n", 0, 7, "not digit value ... 'HI_SCORE' -> '-1'\n"},
        {"", 0, 0, "TitleMain\n"}};
    for (const auto& c : cases) {
        writeFile("config.ini", c.file);
        TitleMain title;
        EXPECT_EQ(std::make_pair(title.getHiScores()[0], title.getHiScores()[2]), std::make_pair(c.best0, c.best2));
        EXPECT_NE(readFile("run.log").find(c.logged), std::string::npos) << c.logged;
        EXPECT_EQ(readFile("config.ini"), c.file) << "not repaired";
    }
}

TEST_F(TitleScene, DrawsPanelTitleRowsAndPromptInPlace) {
    TitleMain title;
    runFrame(title);
    const auto& calls = headless::drawCalls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(std::make_tuple(calls[0].kind, calls[1].kind, calls[2].blend),
              std::make_tuple(headless::DrawCall::CLEAR, headless::DrawCall::BEGIN_2D,
                              BLEND_ALPHA));
    ASSERT_EQ(calls[3].kind, headless::DrawCall::BOX);
    const plat::Box& panel = calls[3].box;
    EXPECT_EQ(std::vector<int>({panel.x, panel.y, panel.w, panel.h, panel.lineWidth, panel.r,
                                panel.g, panel.b, panel.a}),
              std::vector<int>({50, 50, 540, 400, 0, 0, 0, 100, 255}));
    expectText("Korvane", 130, 130, 5.0f, 255, 255, 0);
    const char* rows[] = {"LINE   ", "SHUFFLE", "MEMORY ", "SQUARE ", "MIXER  ", "REVERSE"};
    for (int k = 0; k < 6; ++k) expectText(rows[k], 150, 210 + 30 * k, 3.0f, 255, 255, 255);
    expectText("HI SCORE", 360, 190, 1.5f, 255, 255, 255);
    expectText("MENU CLICK TO START", 180, 400, 2.0f, 255, 255, 255);
    EXPECT_EQ(drawnTexts().back(), "MENU CLICK TO START");
}

TEST_F(TitleScene, FirstStepFadesOutTheLastGamesMusicOnce) {
    Tolm_playBgm("resource/sound/results.ogg", -1, 0);
    TitleMain title;
    headless::clearSoundCalls();
    runFrame(title);
    runFrame(title);
    const auto& calls = headless::soundCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::make_pair(calls[0].op, calls[0].arg),
              std::make_pair(std::string("fadeOut"), 1000));
}

// The row under the pointer is drawn again light green and stored in the mode slot. Rows
// and band are open intervals: 150 < x < 490 and 180 + 30k < y < 210 + 30k; outside the
// band the slot keeps its mode.
TEST_F(TitleScene, RowUnderThePointerIsHighlightedAndStoredWithExclusiveBounds) {
    TitleMain title;
    hover(title, 300, 280);
    EXPECT_EQ(Tolm_getValue(MODE_SLOT), 3);
    EXPECT_EQ(title.getHoveredMode(), 3);
    const std::vector<std::string> texts = drawnTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "MEMORY "), 2);
    EXPECT_EQ(highlight(), std::make_pair(std::string("MEMORY "), 270));
    EXPECT_NE(findText("SHUFFLED GRID. FACE DOWN AFTER 30 SECONDS"), nullptr) << "its board";
    const std::array<int32_t, 3> cases[] = {
        {300, 211, 1}, {300, 239, 1}, {300, 240, 0}, {300, 241, 2}, {300, 210, 0},
        {300, 389, 6}, {300, 390, 0}, {151, 225, 1}, {150, 255, 1}, {490, 255, 1},
        {489, 255, 2}, {0, 400, 2},
    };
    for (const auto& [x, y, mode] : cases) {
        hover(title, x, y);
        EXPECT_EQ(Tolm_getValue(MODE_SLOT), mode) << "at " << x << ", " << y;
    }
}

// Nothing on the title moves by itself: a frame whose highlight stays sleeps until an event,
// and the frame after the pointer reaches another row is drawn without sleeping.
TEST_F(TitleScene, SleepsUntilTheHighlightMoves) {
    TitleMain title;
    const auto waits = [] { return headless::window().eventWaits; };
    hover(title, 300, 225);
    int before = waits();
    for (int frame = 0; frame < 3; ++frame) runFrame(title);
    EXPECT_EQ(waits(), before + 3);
    before = waits();
    hover(title, 300, 255);
    EXPECT_EQ(waits(), before) << "the frame that saw the move";
    EXPECT_EQ(highlight(), std::make_pair(std::string("SHUFFLE"), 240));
}

TEST_F(TitleScene, SelectSoundPlaysOncePerChangeOfRowAndNeverForZero) {
    TitleMain title;
    hover(title, 300, 225);
    hover(title, 300, 230);
    EXPECT_EQ(selectPlays(), 1u);
    hover(title, 300, 255);
    EXPECT_EQ(selectPlays(), 2u);
    hover(title, 300, 240);  // boundary: slot 0, silently
    hover(title, 300, 100);  // above the rows
    EXPECT_EQ(Tolm_getValue(MODE_SLOT), 0);
    EXPECT_EQ(title.getHoveredMode(), 0);
    EXPECT_EQ(selectPlays(), 2u);
    hover(title, 300, 255);  // back onto the same row: a change again
    EXPECT_EQ(selectPlays(), 3u);
    const headless::SoundCall& last = headless::soundCalls().back();
    EXPECT_EQ(std::make_tuple(last.file, last.loops, last.arg),
              std::make_tuple(std::string("resource/sound/select.wav"), 0, -1));
}

// Back from a game the slot keeps its mode, silently, until the band is entered; a left push
// outside the band, where no row is highlighted, starts the last hovered mode.
TEST_F(TitleScene, ReturningKeepsTheModeSilentlyAndAPushOutsideTheBandStartsTheLastHovered) {
    Tolm_setValue(MODE_SLOT, 5);
    headless::setMouse(10, 10);
    nextFrame();
    TitleMain title;
    runFrame(title);
    EXPECT_EQ(Tolm_getValue(MODE_SLOT), 5);
    EXPECT_EQ(selectPlays(), 0u);
    hover(title, 300, 345);  // the same mode, but hoveredMode starts at 0
    EXPECT_EQ(selectPlays(), 1u);
    hover(title, 300, 315);
    hover(title, 600, 315);
    EXPECT_EQ(Tolm_getValue(MODE_SLOT), 4);
    EXPECT_EQ(drawnTexts().size(), 19u);  // no highlight: the panel's texts and its four hints
    push(title, MOUSE_LEFT);
    EXPECT_EQ(title.getMsg(), MSG_GAME);
    EXPECT_EQ(Tolm_getValue(MODE_SLOT), 4);
}

// After an idle wait the pointer's move and the press can come in one frame: the step alone,
// before any draw, starts the row under the press. H, or a click on its hint, opens how to
// play instead.
TEST_F(TitleScene, APushInTheFrameThePointerMovedStartsTheNewRowAndHOpensHowToPlay) {
    TitleMain title;
    hover(title, 300, 225);
    leftClick(300, 345)(true);
    nextFrame();
    title.step();
    EXPECT_EQ(std::make_pair(title.getMsg(), Tolm_getValue(MODE_SLOT)),
              std::make_pair(int32_t{MSG_GAME}, int32_t{MODE_MIXER}));
    leftClick(300, 345)(false);
    for (const auto& input : {keyInput(KEY_H), leftClick(60, 32)}) {
        TitleMain again;
        frameWith(again, input);
        EXPECT_EQ(again.getMsg(), MSG_HELP);
    }
}

TEST_F(TitleScene, OnlyALeftPushWithAModeStartsAGame) {
    TitleMain title;
    hover(title, 300, 240);
    for (const uint8_t button : {MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE}) {
        if (button != MOUSE_LEFT) hover(title, 300, 225);
        push(title, button);
        EXPECT_EQ(title.getMsg(), MSG_STAY) << int(button);  // left only while slot 10 is 0
    }
}

TEST_F(TitleScene, RightClickOnARowWithAGoodWatchFileAsksToWatchIt) {
    writeFile("config.ini", DEFAULT_FILE);
    saveWatchFile("replay/replay_01.watch", WatchRecord{});
    writeFile("replay/replay_02.watch", "damaged");
    TitleMain title;
    runFrame(title);
    expectText("RIGHT CLICK TO WATCH THE BEST GAME", 116, 426, 1.5f, 150, 200, 255);
    // MEMORY has no file; SHUFFLE's is refused and logged; LINE's is taken.
    for (const int32_t y : {285, 255, 225}) {
        hover(title, 300, y);
        push(title, MOUSE_RIGHT);
        EXPECT_EQ(title.getMsg(), y == 225 ? MSG_WATCH : MSG_STAY) << y;
        EXPECT_EQ(watchRequested(), y == 225) << y;
    }
    EXPECT_NE(readFile(LOG_FILE).find("Watch replay/replay_02.watch: truncated\n"),
              std::string::npos);
    EXPECT_EQ(takeWatchRequest().value().file, "replay/replay_01.watch");
    ASSERT_TRUE(requestWatch("replay/replay_01.watch"));
    EXPECT_FALSE(requestWatch("replay/replay_02.watch"));
    EXPECT_FALSE(watchRequested()) << "a refused request drops the one before it";
}

// Up and Down from the pointer's row, or onto LINE when it is on none; no wrap while the pointer
// stays still; Z starts the highlighted mode.
// Once the keys lead, any move of the pointer takes the highlight back, a straight-down one too.
TEST_F(TitleScene, APointerMoveAfterTheKeysTakesTheHighlightBack) {
    TitleMain title;
    hover(title, 300, 225);
    frameWith(title, keyInput(KEY_DOWN));
    hover(title, 300, 285);
    EXPECT_EQ(std::make_pair(title.getKeyRow(), Tolm_getValue(MODE_SLOT)), std::make_pair(0, 3));
}

TEST_F(TitleScene, ArrowKeysMoveTheHighlightThroughTheSlotAndZStarts) {
    const std::vector<std::tuple<int, std::vector<int>, int>> cases = {
        {100, {KEY_DOWN}, 1},           {100, {KEY_UP}, 1}, {315, {KEY_DOWN, KEY_DOWN}, 6},
        {315, {KEY_UP, KEY_UP, KEY_UP, KEY_UP}, 1}, {375, {KEY_DOWN}, 6}};
    for (const auto& [pointerY, keys, expected] : cases) {
        TitleMain title;
        hover(title, 300, pointerY);
        for (int key : keys) frameWith(title, keyInput(key));
        runFrame(title);
        EXPECT_EQ(Tolm_getValue(MODE_SLOT), expected) << pointerY;
        EXPECT_EQ(highlight().second, 180 + 30 * expected) << "the highlighted row";
        frameWith(title, keyInput(KEY_Z));
        EXPECT_EQ(title.getMsg(), MSG_GAME);
    }
}

}  // namespace
