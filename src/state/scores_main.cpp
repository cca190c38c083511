// ScoresMain: the scores screen of one mode at a time, read from "scores.txt" once.
#include "state/scores_main.h"

#include <algorithm>
#include <exception>
#include <string>

#include "config/config_parser.h"
#include "gamecore/score_chart.h"
#include "state/best_game_download.h"
#include "tolm2/tolm2.h"

namespace {

constexpr size_t CHART_GAMES = 50;
constexpr ChartArea CHART{110, 340, 420, 70};
// The arrows at the sides: a click inside one switches modes, anywhere else leaves.
constexpr int32_t ARROW_TOP = 220;
constexpr int32_t ARROW_HEIGHT = 60;
constexpr int32_t ARROW_WIDTH = 30;
constexpr int32_t LEFT_ARROW_X = 62;
constexpr int32_t RIGHT_ARROW_X = 548;
constexpr int32_t ARROW_MARGIN = 10;  // the click area reaches this far beyond the drawing
constexpr int32_t TABLE_X = 110;
constexpr int32_t TABLE_TOP = 120;
constexpr int32_t ROW_STEP = 18;

void drawWhite(const std::string& text, int32_t x, int32_t y, float scale) {
    Tolm_drawText(text, x, y, scale, 255, 255, 255, 255);
}

// -1 on the left arrow's area, 1 on the right one's, 0 elsewhere.
int32_t arrowAt(int32_t x, int32_t y) {
    if (y < ARROW_TOP - ARROW_MARGIN || y > ARROW_TOP + ARROW_HEIGHT + ARROW_MARGIN) return 0;
    if (x >= LEFT_ARROW_X - ARROW_MARGIN && x <= LEFT_ARROW_X + ARROW_WIDTH + ARROW_MARGIN) {
        return -1;
    }
    if (x >= RIGHT_ARROW_X - ARROW_MARGIN && x <= RIGHT_ARROW_X + ARROW_WIDTH + ARROW_MARGIN) {
        return 1;
    }
    return 0;
}

// A triangle of one-pixel columns, its point towards the side it leads to.
void drawArrow(int32_t x, bool pointsLeft) {
    for (int32_t column = 0; column < ARROW_WIDTH; ++column) {
        const int32_t fromPoint = pointsLeft ? column : ARROW_WIDTH - 1 - column;
        const int32_t half = fromPoint * ARROW_HEIGHT / (2 * ARROW_WIDTH);
        Tolm_drawBox(x + column, ARROW_TOP + ARROW_HEIGHT / 2 - half, 1, 2 * half + 1, 0, 0.0f,
                     255, 255, 0, 255);
    }
}

std::string padLeft(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

ScoresMain::ScoresMain() : keypad(std::make_unique<Keypad>(0)) {
    Tolm_log("ScoresMain\n");
    const int32_t slot = Tolm_getValue(MODE_SLOT);
    readBests();
    try {
        games = scores_file::read(SCORES_FILE).games;
    } catch (const std::exception& e) {
        Tolm_logError(e);
        readable = false;
    }
    show(slot >= FIRST_MENU_MODE && slot <= LAST_MENU_MODE ? slot : MODE_LINE);
}

// The bests only stand in for games before the scores file, so a "config.ini" that
// cannot be read leaves them at 0 and is left to the title to report.
void ScoresMain::readBests() {
    try {
        ConfigParser config;
        config.load(CONFIG_FILE);
        for (int32_t m = FIRST_MENU_MODE; m <= LAST_MENU_MODE; ++m) {
            bests.at(static_cast<size_t>(m)) = config.getInt(hiScoreKey(m));
        }
    } catch (const std::exception&) {
        bests.fill(0);
    }
}

void ScoresMain::show(int32_t shownMode) {
    mode = shownMode;
    scores = scoresOfMode(games, mode, bests.at(static_cast<size_t>(mode)));
    ranked = topTen(scores);
}

void ScoresMain::leave() { setMsg(MSG_TITLE); }

void ScoresMain::step() {
    keypad->update();
    int32_t turn = 0;
    if (keypad->pushLeft(true)) turn = -1;
    if (keypad->pushRight(true)) turn = 1;
    if (downloadAsked()) {
        Tolm_offerFile(watchFile(mode));
        return;
    }
    if ((Tolm_mousePushed() & MOUSE_LEFT) != 0) {
        turn = arrowAt(Tolm_mouseX(), Tolm_mouseY());
        if (turn == 0) leave();
    }
    if (keypad->pushB(true) || Tolm_keyPushed(KEY_S)) leave();
    if (turn == 0 || getMsg() != MSG_STAY) return;
    const int32_t modes = LAST_MENU_MODE - FIRST_MENU_MODE + 1;
    show((mode - FIRST_MENU_MODE + turn + modes) % modes + FIRST_MENU_MODE);
    Tolm_playWAV("select", 0, -1);
}

bool ScoresMain::downloadAsked() const {
    if (!bestGameOffered(mode)) return false;
    const bool clicked = (Tolm_mousePushed() & MOUSE_LEFT) != 0 &&
                         onDownloadLine(Tolm_mouseX(), Tolm_mouseY());
    return clicked || Tolm_keyPushed(KEY_D);
}

void ScoresMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawBox(50, 50, 540, 400, 0, 0.0f, 0, 0, 100, 255);
    const std::string& name = modeName(mode);
    Tolm_drawText(name, 320 - static_cast<int32_t>(name.size()) * 12, 70, 3.0f, 255, 255, 0, 255);
    drawArrows();
    if (!readable) {
        Tolm_drawText("CANNOT READ scores.txt", 144, 220, 2.0f, 255, 50, 50, 255);
    } else {
        drawTopTen();
        drawSummary();
    }
    Tolm_drawText("LEFT RIGHT: MODE   B S: BACK", 152, 424, 1.5f, 150, 200, 255, 255);
    if (bestGameOffered(mode)) drawDownloadLine();
}

void ScoresMain::drawArrows() const {
    drawArrow(LEFT_ARROW_X, true);
    drawArrow(RIGHT_ARROW_X, false);
}

// Rank, score and date; the undated best from "config.ini" shows dashes for its date.
void ScoresMain::drawTopTen() const {
    // Over their columns: the rank, the right-aligned score and the date.
    const int32_t headY = TABLE_TOP - 20;
    Tolm_drawText("RANK", TABLE_X, headY, 1.5f, 150, 200, 255, 255);
    Tolm_drawText("SCORE", TABLE_X + 14 * 16 - 5 * 12, headY, 1.5f, 150, 200, 255, 255);
    Tolm_drawText("DATE", TABLE_X + 16 * 16, headY, 1.5f, 150, 200, 255, 255);
    for (size_t i = 0; i < ranked.size(); ++i) {
        const ScoreLine& entry = ranked.at(i);
        const std::string date = entry.stamp.empty() ? "----------" : entry.date();
        const std::string row = padLeft(std::to_string(i + 1), 2) + "  " +
                                padLeft(std::to_string(entry.score), 10) + "  " + date;
        drawWhite(row, TABLE_X, TABLE_TOP + static_cast<int32_t>(i) * ROW_STEP, 2.0f);
    }
}

// Games played, the recent average and the chart; a mode without games says so.
void ScoresMain::drawSummary() const {
    if (scores.games.empty()) {
        drawWhite("NO GAMES PLAYED IN THIS MODE", 152, 360, 1.5f);
        return;
    }
    const size_t recent = std::min(scores.games.size(), TOP_TEN);
    drawWhite("GAMES " + std::to_string(scores.games.size()), TABLE_X, 316, 1.5f);
    drawWhite("LAST " + std::to_string(recent) + " AVERAGE " +
                  std::to_string(averageOfLast(scores.games, TOP_TEN)),
              290, 316, 1.5f);
    drawScoreChart(lastScores(scores.games, CHART_GAMES), CHART, -1);
}
