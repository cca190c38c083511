// OptionsMain: five rows of options changed by keys, pad or mouse, each applied at once.
#include "state/options_main.h"

#include <string>

#include "state/option_rows.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* MUSIC_FILE = "resource/sound/bgm_mogmog.ogg";
// Row i's text stands at ROW_TOP + i * ROW_STEP; the row reaches ROW_REACH above and below
// its text for the pointer.
constexpr int32_t ROW_TOP = 140;
constexpr int32_t ROW_STEP = 50;
constexpr int32_t ROW_REACH = 10;
constexpr int32_t TEXT_HEIGHT = 20;
constexpr int32_t ROWS_LEFT = 70;
constexpr int32_t ROWS_RIGHT = 570;
constexpr int32_t LABEL_X = 90;
constexpr float TEXT_SCALE = 2.5f;
// A level between two arrows; a switch as a framed ON or OFF.
constexpr int32_t ARROW_WIDTH = 16;
constexpr int32_t LEFT_ARROW_X = 390;
constexpr int32_t RIGHT_ARROW_X = 510;
constexpr int32_t ARROW_MARGIN = 12;  // the click area reaches this far beyond the drawing
constexpr int32_t VALUE_CENTRE = 458;  // midway between the arrows
constexpr int32_t SWITCH_X = 400;
constexpr int32_t SWITCH_WIDTH = 120;

int32_t rowY(int32_t row) { return ROW_TOP + row * ROW_STEP; }

// The row whose band holds (x, y), or -1.
int32_t rowAt(int32_t x, int32_t y) {
    if (x < ROWS_LEFT || x > ROWS_RIGHT) return -1;
    for (int32_t row = 0; row < OPTION_ROWS; ++row) {
        if (y >= rowY(row) - ROW_REACH && y <= rowY(row) + TEXT_HEIGHT + ROW_REACH) return row;
    }
    return -1;
}

bool within(int32_t x, int32_t left, int32_t width) {
    return x >= left - ARROW_MARGIN && x <= left + width + ARROW_MARGIN;
}

// What a click at x does on a row: -1 or +1 on a level's arrows, the step that turns a
// switch over on the switch, 0 elsewhere.
int32_t clickStep(const OptionRow& option, int32_t x) {
    if (option.isSwitch) {
        if (!within(x, SWITCH_X, SWITCH_WIDTH)) return 0;
        return option.value() == 1 ? -1 : 1;
    }
    if (within(x, LEFT_ARROW_X, ARROW_WIDTH)) return -1;
    if (within(x, RIGHT_ARROW_X, ARROW_WIDTH)) return 1;
    return 0;
}

// A triangle of one-pixel columns, TEXT_HEIGHT high, its point towards the side it leads to.
void drawArrow(int32_t x, int32_t top, bool pointsLeft) {
    for (int32_t column = 0; column < ARROW_WIDTH; ++column) {
        const int32_t fromPoint = pointsLeft ? column : ARROW_WIDTH - 1 - column;
        const int32_t half = fromPoint * TEXT_HEIGHT / (2 * ARROW_WIDTH);
        Tolm_drawBox(x + column, top + TEXT_HEIGHT / 2 - half, 1, 2 * half + 1, 0, 0.0f, 255,
                     255, 0, 255);
    }
}

}  // namespace

OptionsMain::OptionsMain() { Tolm_log("OptionsMain\n"); }

void OptionsMain::step() {
    if (!started) {
        started = true;
        Tolm_playBgm(MUSIC_FILE, -1, 0);
    }
    followPointer();
    followKeys();
    if ((Tolm_mousePushed() & MOUSE_LEFT) != 0) clickAt(Tolm_mouseX(), Tolm_mouseY());
    if (keys.pushB(true) || Tolm_keyPushed(KEY_O)) setMsg(MSG_TITLE);
}

// The pointer takes the highlight only when it moves onto a row, so the keys keep theirs.
void OptionsMain::followPointer() {
    const bool moved = pointer.moved();
    const int32_t under = rowAt(Tolm_mouseX(), Tolm_mouseY());
    if (moved && under >= 0) row = under;
}

void OptionsMain::followKeys() {
    if (keys.pushUp(true) && row > 0) --row;
    if (keys.pushDown(true) && row < OPTION_ROWS - 1) ++row;
    if (keys.pushLeft(true)) change(row, -1);
    if (keys.pushRight(true)) change(row, 1);
}

void OptionsMain::clickAt(int32_t x, int32_t y) {
    const int32_t clicked = rowAt(x, y);
    if (clicked < 0) {
        setMsg(MSG_TITLE);
        return;
    }
    row = clicked;
    const int32_t step = clickStep(optionRow(clicked), x);
    if (step != 0) change(clicked, step);
}

void OptionsMain::change(int32_t shown, int32_t step) {
    const OptionRow& option = optionRow(shown);
    const int32_t value = steppedValue(option, step);
    if (value != option.value()) option.change(value);
}

void OptionsMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawBox(50, 50, 540, 400, 0, 0.0f, 0, 0, 100, 255);
    Tolm_drawText("OPTIONS", 236, 70, 3.0f, 255, 255, 0, 255);
    for (int32_t shown = 0; shown < OPTION_ROWS; ++shown) drawRow(shown);
    Tolm_drawText("LEFT RIGHT: CHANGE   B O: BACK", 140, 412, 1.5f, 150, 200, 255, 255);
}

// The label (light green while highlighted), then the level between its arrows or the
// switch's ON or OFF in a frame.
void OptionsMain::drawRow(int32_t shown) const {
    const OptionRow& option = optionRow(shown);
    const int32_t y = rowY(shown);
    const bool lit = shown == row;
    Tolm_drawText(option.label, LABEL_X, y, TEXT_SCALE, lit ? 100 : 255, 255, lit ? 100 : 255,
                  255);
    const int32_t value = option.value();
    if (option.isSwitch) {
        Tolm_drawBox(SWITCH_X, y - 4, SWITCH_WIDTH, TEXT_HEIGHT + 8, 2, 0.0f, 150, 200, 255, 255);
        const std::string text = value == 1 ? "ON" : "OFF";
        Tolm_drawText(text, SWITCH_X + SWITCH_WIDTH / 2 - static_cast<int32_t>(text.size()) * 10,
                      y, TEXT_SCALE, 255, 255, 255, 255);
        return;
    }
    drawArrow(LEFT_ARROW_X, y, true);
    drawArrow(RIGHT_ARROW_X, y, false);
    const std::string text = std::to_string(value);
    Tolm_drawText(text, VALUE_CENTRE - static_cast<int32_t>(text.size()) * 10, y, TEXT_SCALE, 255,
                  255, 255, 255);
}
