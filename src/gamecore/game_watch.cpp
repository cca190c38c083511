// Watching: the file saved with a record, the score check, leaving, and the extra drawing.
#include "gamecore/game_main.h"

#include <exception>

#include "config/mode_table.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t CROSS_ARM = 7;
constexpr int32_t CROSS_WIDTH = 3;

}  // namespace

// Called by saveRecord beside the replay save; a failure is logged and the record kept.
void GameMain::saveWatch() {
    try {
        saveWatchFile(watchFile(gameMode), recording());
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

// Called at the end of a watched game instead of saving.
void GameMain::reportWatch() {
    const WatchedGame& watched = input.watchedGame();
    if (watched.record.score == score) {
        Tolm_log("Watch %s: VERIFIED %d\n", watched.file.c_str(), score);
    } else {
        Tolm_log("Watch %s: MISMATCH recorded %d replayed %d\n", watched.file.c_str(),
                 watched.record.score, score);
    }
}

// Live clicks play no part in a watched game; a left one, on any of its screens, ends
// the watching and goes back to the title.
bool GameMain::leftWatching() {
    if (!input.replaying() || scene < READY || scene > RESULTS) return false;
    if ((Tolm_mousePushed() & MOUSE_LEFT) == 0) return false;
    scene = CLOSING;
    return true;
}

// "REPLAY" above the board and the recorded pointer as a cross, red while its left
// button is held.
void GameMain::drawWatching() {
    if (scene < READY || scene > RESULTS) return;
    Tolm_drawText("REPLAY", 168, 11, 2.0f, 255, 100, 100, 255);
    const int32_t x = input.x();
    const int32_t y = input.y();
    const int green = input.leftHeld() ? 50 : 255;
    const int32_t span = 2 * CROSS_ARM + 1;
    Tolm_drawBox(x - CROSS_ARM, y - 1, span, CROSS_WIDTH, 0, 0.0f, 255, green, 50, 255);
    Tolm_drawBox(x - 1, y - CROSS_ARM, CROSS_WIDTH, span, 0, 0.0f, 255, green, 50, 255);
}

// Under the replayed score, where a live game writes " NEW RECORD ".
void GameMain::drawWatchResult() {
    if (input.watchedGame().record.score == score) {
        Tolm_drawText("VERIFIED", 123, 280, 3.0f, 100, 255, 100, 255);
    } else {
        Tolm_drawText("MISMATCH", 123, 280, 3.0f, 255, 50, 50, 255);
    }
}
