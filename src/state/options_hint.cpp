// The "O: OPTIONS" hint on the title, and the key and click that open the options screen.
#include "state/options_hint.h"

#include <cstdint>

#include "tolm2/tolm2.h"

namespace {

constexpr const char* HINT = "O: OPTIONS";
constexpr int32_t HINT_X = 450;
constexpr int32_t HINT_Y = 154;
constexpr int32_t HINT_WIDTH = 10 * 12;  // ten cells at scale 1.5
constexpr int32_t HINT_HEIGHT = 12;
constexpr int32_t HINT_MARGIN = 6;  // the click area reaches this far beyond the text

bool onHint(int32_t x, int32_t y) {
    return x >= HINT_X - HINT_MARGIN && x <= HINT_X + HINT_WIDTH + HINT_MARGIN &&
           y >= HINT_Y - HINT_MARGIN && y <= HINT_Y + HINT_HEIGHT + HINT_MARGIN;
}

}  // namespace

bool optionsAsked() {
    if (Tolm_keyPushed(KEY_O)) return true;
    return (Tolm_mousePushed() & MOUSE_LEFT) != 0 && onHint(Tolm_mouseX(), Tolm_mouseY());
}

void drawOptionsHint() { Tolm_drawText(HINT, HINT_X, HINT_Y, 1.5f, 150, 200, 255, 255); }
