// End of game: the results music, saving a new best, and the results screen.
#include "gamecore/game_main.h"

#include <exception>
#include <string>

#include "gamecore/mode_table.h"
#include "tolm2/tolm2.h"

// The record is saved before the results music starts, so that a music file gone
// missing cannot cost the player a new best.
void GameMain::endGame() {
    if (input.replaying()) {
        reportWatch();
    } else if (hiScore(gameMode) < score) {
        saveRecord();
    }
    Tolm_playBgm("resource/sound/results.ogg", 1, 0);
    scene = RESULTS;
}

// A new best is kept whatever the disk does: each save that fails is logged and the
// other still runs, and the results screen follows as usual.
void GameMain::saveRecord() {
    const std::string& key = hiScoreKey(gameMode);
    const std::string& replay = replayFile(gameMode);
    try {
        keypad->save(replay);
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
    saveWatch();
    hiScore(gameMode) = score;
    config->setInt(key, score);
    try {
        config->save("");
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

void GameMain::stepResults() {
    if (resultsCounter > RESULTS_WAIT && (Tolm_mousePushed() & MOUSE_LEFT) != 0) {
        scene = CLOSING;
    } else if (resultsCounter <= RESULTS_WAIT) {
        ++resultsCounter;
    }
}

void GameMain::drawResults() {
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawText("RESULTS", 110, 160, 4.0f, 255, 255, 255, 255);
    Tolm_drawText("SCORE", 175, 200, 2.0f, 255, 255, 255, 255);
    Tolm_drawText(std::to_string(score), 140, 230, 4.0f, 255, 255, 255, 255);
    if (input.replaying()) {
        drawWatchResult();
    } else if (hiScore(gameMode) <= score) {
        Tolm_drawText(" NEW RECORD ", 75, 280, 3.0f, 255, 50, 50, 255);
        // The random draws are taken in this order: x, y, radius, angle.
        const int32_t x = 25 + randomIn(0, 250);
        const int32_t y = 220 + randomIn(0, 40);
        const int32_t radius = randomIn(10, 30);
        const int32_t angle = randomIn(0, 360);
        drawBurst(static_cast<float>(x), static_cast<float>(y), radius, angle);
    }
    if (resultsCounter > RESULTS_WAIT) {
        Tolm_drawText("PRESS mouse L BUTTON TO EXIT", 100, 440, 2.0f, 255, 255, 255, 255);
    }
}
