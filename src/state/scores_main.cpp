// ScoresMain: the scores screen of one mode at a time, read from "scores.txt" once.
#include "state/scores_main.h"

#include <algorithm>
#include <exception>
#include <string>

#include "config/best_scores.h"
#include "config/config_parser.h"
#include "gamecore/score_chart.h"
#include "state/best_game_download.h"
#include "state/side_arrows.h"
#include "state/white_text.h"
#include "tolm2/tolm2.h"

namespace {

constexpr size_t CHART_GAMES = 50;
constexpr ChartArea CHART{110, 340, 420, 70};
constexpr int32_t TABLE_X = 110;
constexpr int32_t TABLE_TOP = 120;
constexpr int32_t ROW_STEP = 18;

std::string padLeft(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

ScoresMain::ScoresMain() : keypad(std::make_unique<Keypad>(0)) {
    Tolm_log("ScoresMain\n");
    const int32_t slot = Tolm_getValue(MODE_SLOT);
    bests = best_scores::read(CONFIG_FILE);
    try {
        games = scores_file::read(SCORES_FILE).games;
    } catch (const std::exception& e) {
        Tolm_logError(e);
        readable = false;
    }
    show(slot >= FIRST_MENU_MODE && slot <= LAST_MENU_MODE ? slot : MODE_LINE);
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
        turn = sideArrowAt(Tolm_mouseX(), Tolm_mouseY());
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
    drawSideArrows();
    if (!readable) {
        Tolm_drawText("CANNOT READ scores.txt", 144, 220, 2.0f, 255, 50, 50, 255);
    } else {
        drawTopTen();
        drawSummary();
    }
    Tolm_drawText("LEFT RIGHT: MODE   B S: BACK", 152, 424, 1.5f, 150, 200, 255, 255);
    if (bestGameOffered(mode)) drawDownloadLine();
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
