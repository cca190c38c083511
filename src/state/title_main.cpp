// TitleMain: the title screen, the six-mode menu with best scores, and the click or keys to play.
#include "state/title_main.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "config/best_scores.h"
#include "config/config_parser.h"
#include "config/mode_table.h"
#include "state/board_lines.h"
#include "state/options_hint.h"
#include "state/watch_request.h"
#include "state/white_text.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t NAME_X = 150;
constexpr float NAME_SCALE = 3.0f;
constexpr int32_t SCORE_X = 350;
constexpr float SCORE_SCALE = 2.5f;
// The pointer band and rows: open intervals, so a row boundary belongs to no row.
constexpr int32_t BAND_LEFT = 150;
constexpr int32_t BAND_RIGHT = 490;
constexpr int32_t ROW_TOP = 180;
constexpr int32_t ROW_HEIGHT = 30;
constexpr int32_t BGM_FADE_MS = 1000;

constexpr const char* SCORES_HINT = "S: SCORES";
constexpr const char* WATCH_HINT = "RIGHT CLICK TO WATCH THE BEST GAME";
// At the top of the panel, clear of the name and of the HI SCORE line.
constexpr const char* KEYS_HINT = "ARROW KEYS AND Z WORK TOO";
constexpr int32_t KEYS_HINT_X = 170;
constexpr int32_t KEYS_HINT_Y = 74;
// Above the keys' hint, where the platform's storage will not keep what is saved.
constexpr const char* NO_RECORDS = "RECORDS WILL NOT BE KEPT";
// Above the panel's top-left corner, leaving its right for another hint; a left click on it
// (within HINT_MARGIN) opens how to play, as H does.
constexpr const char* HELP_HINT = "H: HOW TO PLAY";
constexpr int32_t HELP_HINT_X = 50;
constexpr int32_t HELP_HINT_Y = 28;
constexpr int32_t HINT_CELL = 12;  // pixels of one character at the hints' scale 1.5
constexpr int32_t HINT_MARGIN = 6;
// Under the panel, centred: how the highlighted mode's board differs.
constexpr int32_t BOARD_LINE_Y = 458;

bool onHelpHint(int32_t x, int32_t y) {
    const auto width =
        static_cast<int32_t>(std::char_traits<char>::length(HELP_HINT)) * HINT_CELL;
    return x >= HELP_HINT_X - HINT_MARGIN && x <= HELP_HINT_X + width + HINT_MARGIN &&
           y >= HELP_HINT_Y - HINT_MARGIN && y <= HELP_HINT_Y + HINT_CELL + HINT_MARGIN;
}

void drawBoardLine(int32_t mode) {
    const std::string line = boardLine(mode);
    const int32_t x = 320 - static_cast<int32_t>(line.size()) * HINT_CELL / 2;
    Tolm_drawText(line, x, BOARD_LINE_Y, 1.5f, 100, 255, 100, 255);
}

bool fileExists(const std::string& name) {
    std::error_code error;
    return std::filesystem::exists(name, error);
}

// A row's top edge and its name padded to seven characters, as the menu draws them.
int32_t rowY(int32_t mode) { return ROW_TOP + ROW_HEIGHT * mode; }
std::string rowName(int32_t mode) {
    std::string name = modeName(mode);
    name.resize(7, ' ');
    return name;
}

// The mode whose row holds y (180 + 30k < y < 210 + 30k), or 0.
int32_t modeAtRow(int32_t y) {
    for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
        if (rowY(mode) < y && y < rowY(mode) + ROW_HEIGHT) return mode;
    }
    return 0;
}

void drawHighlighted(int32_t mode) {
    Tolm_drawText(rowName(mode), NAME_X, rowY(mode), NAME_SCALE, 100, 255, 100, 255);
}

}  // namespace

TitleMain::TitleMain() {
    Tolm_log("TitleMain\n");
    setMsg(MSG_STAY);
    started = false;
    hiScores = best_scores::read(CONFIG_FILE);
    keepsRecords = Tolm_keepsRecords();
    for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
        watchable.at(static_cast<size_t>(mode)) = fileExists(watchFile(mode));
        anyWatchable = anyWatchable || watchable.at(static_cast<size_t>(mode));
    }
}

void TitleMain::step() {
    if (!started) {
        started = true;
        Tolm_stopBgm(BGM_FADE_MS);  // the last game's music fades out
    }
    if (watchHandedFile()) return;
    followKeys();
    // The pointer's row now, not as the last drawn frame saw it: after an idle wait the
    // press may come in the frame the pointer moved.
    const int32_t row = followPointer();
    const bool leftPush = (Tolm_mousePushed() & MOUSE_LEFT) != 0;
    const bool start = leftPush || keys.pushA(false);
    if (optionsAsked()) {
        setMsg(MSG_OPTIONS);
    } else if (Tolm_keyPushed(KEY_H) || (leftPush && onHelpHint(Tolm_mouseX(), Tolm_mouseY()))) {
        setMsg(MSG_HELP);
    } else if (scoresAsked()) {
        setMsg(MSG_SCORES);
    } else if (start && Tolm_getValue(MODE_SLOT) > 0) {
        setMsg(MSG_GAME);
    } else if ((Tolm_mousePushed() & MOUSE_RIGHT) != 0) {
        watchRowUnderPointer();
    }
    // Nothing else on the title moves: until the highlight does, the game sleeps.
    if (getMsg() == MSG_STAY && row == drawnRow) Tolm_holdStill();
}

// Up and down move the highlight a row, stopping at LINE and REVERSE. It starts from the
// row under the pointer, or on LINE when the pointer is on no row.
void TitleMain::followKeys() {
    const bool down = keys.pushDown(false);
    const bool up = keys.pushUp(false);
    if (!down && !up) return;
    const int32_t step = (down ? 1 : 0) - (up ? 1 : 0);
    int32_t from = keyRow;
    const int32_t x = Tolm_mouseX();
    const int32_t y = Tolm_mouseY();
    if (from == 0 && x > BAND_LEFT && x < BAND_RIGHT) from = modeAtRow(y);
    // The pointer, where it stands now, does not take the highlight back.
    pointer.moved();
    keyRow = from == 0 ? FIRST_MENU_MODE
                       : std::clamp(from + step, FIRST_MENU_MODE, LAST_MENU_MODE);
    highlight(keyRow);
}

// The mode slot takes the highlighted mode; each change to a mode plays "select" once.
void TitleMain::highlight(int32_t mode) {
    Tolm_setValue(MODE_SLOT, mode);
    if (Tolm_getValue(MODE_SLOT) != hoveredMode) {
        hoveredMode = Tolm_getValue(MODE_SLOT);
        if (hoveredMode > 0) Tolm_playWAV("select", 0, -1);
    }
}

// A right click on the row of a mode with a watch file plays that mode's best game; a
// file that cannot be watched is logged and the title stays as it is.
void TitleMain::watchRowUnderPointer() {
    const int32_t x = Tolm_mouseX();
    if (x <= BAND_LEFT || x >= BAND_RIGHT) return;
    const int32_t mode = modeAtRow(Tolm_mouseY());
    if (mode == 0 || !watchable.at(static_cast<size_t>(mode))) return;
    if (requestWatch(watchFile(mode))) setMsg(MSG_WATCH);
}

// A watch file the player handed over plays at once; one that cannot be watched is
// logged, as a right click's would be, and the title goes on.
bool TitleMain::watchHandedFile() {
    const std::string handed = Tolm_takeHandedFile();
    if (handed.empty() || !requestWatch(handed)) return false;
    setMsg(MSG_WATCH);
    return true;
}

// S or the keypad's B: the scores of the mode in the mode slot (LINE when none).
bool TitleMain::scoresAsked() { return Tolm_keyPushed(KEY_S) || keys.pushB(false); }

void TitleMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawBox(50, 50, 540, 400, 0, 0.0f, 0, 0, 100, 255);
    Tolm_drawText(KEYS_HINT, KEYS_HINT_X, KEYS_HINT_Y, 1.5f, 150, 200, 255, 255);
    Tolm_drawText("Korvane", 130, 130, 5.0f, 255, 255, 0, 255);
    for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
        drawWhite(rowName(mode), NAME_X, rowY(mode), NAME_SCALE);
    }
    for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
        char score[16];
        std::snprintf(score, sizeof score, "%06d", hiScores.at(static_cast<size_t>(mode)));
        drawWhite(score, SCORE_X, rowY(mode), SCORE_SCALE);
    }
    drawWhite("HI SCORE", 360, 190, 1.5f);
    Tolm_drawText(SCORES_HINT, 150, 190, 1.5f, 150, 200, 255, 255);
    drawOptionsHint();
    Tolm_drawText(HELP_HINT, HELP_HINT_X, HELP_HINT_Y, 1.5f, 150, 200, 255, 255);
    const int32_t shown = followPointer();
    drawnRow = shown;
    if (shown > 0) {
        drawHighlighted(shown);
        drawBoardLine(shown);
    }
    drawWhite("MENU CLICK TO START", 180, 400, 2.0f);
    if (!keepsRecords) Tolm_drawText(NO_RECORDS, 176, 56, 1.5f, 255, 80, 80, 255);
    if (anyWatchable) Tolm_drawText(WATCH_HINT, 116, 426, 1.5f, 150, 200, 255, 255);
}

// Inside the band the row under the pointer goes to the mode slot (0 between rows) and
// is the one drawn again in light green. Outside the band the slot keeps the last mode,
// so a click there starts it, and no row is highlighted. Once the keys have moved the
// highlight, the pointer leads again only when it moves. Returns the highlighted row, 0
// for none; the step and the draw of one frame get the same answer.
int32_t TitleMain::followPointer() {
    const bool moved = pointer.moved();
    const int32_t x = Tolm_mouseX();
    const int32_t y = Tolm_mouseY();
    if (keyRow != 0 && !moved) return keyRow;
    keyRow = 0;
    if (x <= BAND_LEFT || x >= BAND_RIGHT) return 0;
    const int32_t mode = modeAtRow(y);
    highlight(mode);
    return mode;
}
