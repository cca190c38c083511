// The pause of a game in READY or in play: the player looked away, or pressed P.
#include "gamecore/game_main.h"

#include "tolm2/tolm2.h"

namespace {

constexpr int32_t PAUSE_X = 136;  // "PAUSE" at 32 pixels a glyph, centred on the board
constexpr int32_t PAUSE_Y = 200;
constexpr int32_t GO_ON_X = 132;  // "CLICK TO GO ON" at 12 pixels a glyph
constexpr int32_t GO_ON_Y = 250;

}  // namespace

// A paused frame runs nothing of the game: no clock, timers, motion or recording. The
// click, P or A that resumes is used up by the resume, so it never picks a card. Nothing on
// the paused screen moves, so the framework draws it only when something changes.
bool GameMain::holdsForPause() {
    if (scene != READY && scene != PLAYING) return false;
    if (paused) {
        if (Tolm_keyPushed(KEY_P) || (Tolm_mousePushed() & MOUSE_LEFT) != 0 ||
            keypad->pushA(true)) {
            paused = false;
            Tolm_resumeBgm();
        } else {
            Tolm_holdStill();
        }
        return true;
    }
    if (Tolm_focusLost() || Tolm_keyPushed(KEY_P)) {
        paused = true;
        Tolm_pauseBgm();
        Tolm_holdStill();
        return true;
    }
    return false;
}

// No card face shows, so a pause cannot be used to study the board; nothing that
// animates is stepped either.
void GameMain::drawPaused() {
    drawBackdrop();
    drawScorePanel();
    drawComboBox();
    drawClock();
    Tolm_drawText("PAUSE", PAUSE_X, PAUSE_Y, 4.0f, 255, 255, 255, 255);
    Tolm_drawText("CLICK TO GO ON", GO_ON_X, GO_ON_Y, 1.5f, 255, 255, 255, 255);
}
