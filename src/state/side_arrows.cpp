// The side arrows: where they are drawn and where a click on them counts.
#include "state/side_arrows.h"

#include "tolm2/tolm2.h"

namespace {

constexpr int32_t ARROW_TOP = 220;
constexpr int32_t ARROW_HEIGHT = 60;
constexpr int32_t ARROW_WIDTH = 30;
constexpr int32_t LEFT_ARROW_X = 62;
constexpr int32_t RIGHT_ARROW_X = 548;
constexpr int32_t ARROW_MARGIN = 10;  // the click area reaches this far beyond the drawing

// A triangle of one-pixel columns, its point towards the side it leads to.
void drawArrow(int32_t x, bool pointsLeft) {
    for (int32_t column = 0; column < ARROW_WIDTH; ++column) {
        const int32_t fromPoint = pointsLeft ? column : ARROW_WIDTH - 1 - column;
        const int32_t half = fromPoint * ARROW_HEIGHT / (2 * ARROW_WIDTH);
        Tolm_drawBox(x + column, ARROW_TOP + ARROW_HEIGHT / 2 - half, 1, 2 * half + 1, 0, 0.0f,
                     255, 255, 0, 255);
    }
}

}  // namespace

int32_t sideArrowAt(int32_t x, int32_t y) {
    if (y < ARROW_TOP - ARROW_MARGIN || y > ARROW_TOP + ARROW_HEIGHT + ARROW_MARGIN) return 0;
    if (x >= LEFT_ARROW_X - ARROW_MARGIN && x <= LEFT_ARROW_X + ARROW_WIDTH + ARROW_MARGIN) {
        return -1;
    }
    if (x >= RIGHT_ARROW_X - ARROW_MARGIN && x <= RIGHT_ARROW_X + ARROW_WIDTH + ARROW_MARGIN) {
        return 1;
    }
    return 0;
}

void drawSideArrows(bool left, bool right) {
    if (left) drawArrow(LEFT_ARROW_X, true);
    if (right) drawArrow(RIGHT_ARROW_X, false);
}
