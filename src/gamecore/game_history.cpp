// The playing scene's part of "scores.txt": the mode's past games read at set-up, this
// game's line added at the end, and its rank and chart on the results screen.
#include <algorithm>
#include <ctime>
#include <exception>
#include <string>

#include "config/mode_table.h"
#include "config/scores_file.h"
#include "gamecore/game_main.h"
#include "gamecore/score_chart.h"
#include "tolm2/tolm2.h"

namespace {

constexpr size_t CHART_GAMES = 20;
constexpr ChartArea CHART{100, 345, 240, 70};

bool isMenuMode(int32_t mode) { return mode >= FIRST_MENU_MODE && mode <= LAST_MENU_MODE; }

}  // namespace

// Read once here, so the end of the game needs no read of its own. A file that cannot be
// read is logged; the results then show a rank only for a record.
void GameMain::readHistory(int32_t configBest) {
    if (!isMenuMode(gameMode)) return;
    try {
        history = scoresOfMode(scores_file::read(SCORES_FILE).games, gameMode, configBest);
        historyKnown = true;
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

GameEnding GameMain::ending() const {
    if (takenCount == cardCount) return GameEnding::EMPTY;
    if (timeLeft <= 0) return GameEnding::TIME;
    return GameEnding::STUCK;
}

// After the record is saved: "config.ini" stays the authority, and a line that cannot be
// written costs only that line, logged once.
void GameMain::addToHistory(bool record) {
    if (!isMenuMode(gameMode)) return;
    const ScoreLine game{scores_file::localStamp(std::time(nullptr)), gameMode, score,
                         takenCount / 2, std::max(timeLeft, 0) / FRAMES_PER_SECOND, ending()};
    if (record) {
        rank = 1;
    } else if (historyKnown) {
        const size_t place = rankOf(history, score);
        rank = place <= TOP_TEN ? place : 0;
    }
    history.games.push_back(game);
    try {
        scores_file::append(SCORES_FILE, game);
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

// "RANK n" under " NEW RECORD ", clear of the results texts, and the last games below it.
void GameMain::drawHistory() {
    if (rank > 0) Tolm_drawText("RANK " + std::to_string(rank), 140, 316, 2.5f, 255, 255, 0, 255);
    if (history.games.empty()) return;
    const std::vector<int32_t> scores = lastScores(history.games, CHART_GAMES);
    drawScoreChart(scores, CHART, static_cast<int32_t>(scores.size()) - 1);
}
