// End of game: the results music, saving a new best, and the results screen.
#include "gamecore/game_main.h"

#include <algorithm>
#include <exception>
#include <string>

#include "config/config_store.h"
#include "config/mode_table.h"
#include "tolm2/tolm2.h"

// The record is saved before the results music starts, so that a music file gone
// missing cannot cost the player a new best.
void GameMain::endGame() {
    if (input.replaying()) {
        reportWatch();
    } else {
        const bool beatsBest = hiScore(gameMode) < score;
        if (beatsBest) saveRecord();
        // Another copy may have saved a better best meanwhile: then this is no record.
        addToHistory(beatsBest && hiScore(gameMode) == score);
    }
    playMusic("resource/sound/results.ogg", 1);
    scene = RESULTS;
}

// The file is read again under its lock, so a better score that another copy of the
// game saved meanwhile is never overwritten, and every other mode's best is kept. The
// replay and watch files go with the record: written only when the record is. A file that
// cannot be read or judged, or a save that fails, is logged (config_store says why) and the
// results screen shows that the record was not saved.
void GameMain::saveRecord() {
    const std::string& key = hiScoreKey(gameMode);
    int32_t bestOnDisk = hiScore(gameMode);
    bool judged = false;
    bool isRecord = false;
    const bool saved = config_store::update(CONFIG_FILE, [&](ConfigParser& onDisk) {
        bestOnDisk = config_store::intOrZero(onDisk, key);
        judged = true;
        if (score <= bestOnDisk) return false;
        isRecord = true;
        saveReplay();
        saveWatch();
        onDisk.setInt(key, score);
        return true;
    });
    recordNotSaved = !judged || (isRecord && !saved);
    hiScore(gameMode) = std::max(score, bestOnDisk);
}

void GameMain::saveReplay() {
    try {
        keypad->save(replayFile(gameMode));
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

// A left click or the keypad's A leaves, once the wait is over.
void GameMain::stepResults() {
    const bool leave = (Tolm_mousePushed() & MOUSE_LEFT) != 0 || keypad->pushA(true);
    if (resultsCounter > RESULTS_WAIT && leave) {
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
    } else if (recordNotSaved) {
        Tolm_drawText("RECORD NOT SAVED", 27, 280, 3.0f, 255, 50, 50, 255);
    } else if (hiScore(gameMode) <= score) {
        Tolm_drawText(" NEW RECORD ", 75, 280, 3.0f, 255, 50, 50, 255);
        // The random draws are taken in this order: x, y, radius, angle.
        const int32_t x = 25 + randomIn(0, 250);
        const int32_t y = 220 + randomIn(0, 40);
        const int32_t radius = randomIn(10, 30);
        const int32_t angle = randomIn(0, 360);
        drawBurst(static_cast<float>(x), static_cast<float>(y), radius, angle);
    }
    if (!input.replaying()) drawHistory();
    if (resultsCounter > RESULTS_WAIT) {
        Tolm_drawText("PRESS mouse L BUTTON TO EXIT", 100, 440, 2.0f, 255, 255, 255, 255);
    }
}
