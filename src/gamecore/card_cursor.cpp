// The card cursor: nearest card within 45 degrees of a direction, else on that side, else stay.
#include "gamecore/card_cursor.h"

#include <cmath>

#include "tolm2/checked_table.h"
#include "tolm2/tolm2.h"

namespace {

// The four directions as unit steps, in the keypad's order left, up, right, down.
struct Way {
    int dx, dy;
    bool KeypadState::*held;
    bool KeypadState::*pushed;
};
constexpr Way WAYS[4] = {
    {-1, 0, &KeypadState::holdLeft, &KeypadState::pushLeft},
    {0, -1, &KeypadState::holdUp, &KeypadState::pushUp},
    {1, 0, &KeypadState::holdRight, &KeypadState::pushRight},
    {0, 1, &KeypadState::holdDown, &KeypadState::pushDown},
};

constexpr float HALF_CARD = CARD_SIZE / 2.0f;
constexpr int32_t RIM_OUT = 3;  // the dark rim: the three pixels round the cell
constexpr int32_t RIM_WIDTH = 3;
constexpr int32_t BRIGHT_OUT = 3;  // the bright frame: its outer two
constexpr int32_t BRIGHT_WIDTH = 2;

bool remains(const Card& c) { return c.state < 2; }

float centreXOf(const Card& c, int32_t boardX) {
    return static_cast<float>(boardX) + c.x + HALF_CARD;
}
float centreYOf(const Card& c, int32_t boardY) {
    return static_cast<float>(boardY) + c.y + HALF_CARD;
}

// A square ring of the given thickness, as four filled strips.
void ring(int32_t x, int32_t y, int32_t side, int32_t width, int grey) {
    Tolm_drawBox(x, y, side, width, 0, 0.0f, grey, grey, grey, 255);
    Tolm_drawBox(x, y + side - width, side, width, 0, 0.0f, grey, grey, grey, 255);
    Tolm_drawBox(x, y + width, width, side - 2 * width, 0, 0.0f, grey, grey, grey, 255);
    Tolm_drawBox(x + side - width, y + width, width, side - 2 * width, 0, 0.0f, grey, grey, grey,
                 255);
}

}  // namespace

bool CardCursor::update(const KeypadState& buttons, const CardTable& cards, int32_t count,
                        int32_t boardX, int32_t boardY) {
    if (!visible) {
        const bool pushed = buttons.pushA || buttons.pushB || buttons.pushLeft ||
                            buttons.pushUp || buttons.pushRight || buttons.pushDown;
        if (!pushed) return false;
        visible = true;
        startNearestOrigin(cards, count, boardX, boardY);
        for (int way = 0; way < 4; ++way) heldFrames.at(static_cast<size_t>(way)) = 0;
        return false;
    }
    follow(cards, count, boardX, boardY);
    for (int way = 0; way < 4; ++way) {
        const Way& w = WAYS[way];
        if (repeats(way, buttons.*w.held, buttons.*w.pushed)) {
            move(way, cards, count, boardX, boardY);
        }
    }
    return true;
}

// A push moves at once; held on, the direction repeats after 15 frames, then every 5.
bool CardCursor::repeats(int way, bool held, bool pushed) {
    int32_t& frames = heldFrames.at(static_cast<size_t>(way));
    if (pushed) {
        frames = 0;
        return true;
    }
    if (!held) {
        frames = 0;
        return false;
    }
    ++frames;
    return frames >= CURSOR_REPEAT_DELAY &&
           (frames - CURSOR_REPEAT_DELAY) % CURSOR_REPEAT_EVERY == 0;
}

// The cursor rides on its card (MIXER cards drift); once the card is taken it keeps the
// place where the card was.
void CardCursor::follow(const CardTable& cards, int32_t count, int32_t boardX, int32_t boardY) {
    if (card == NO_CARD || card >= count) return;
    const Card& c = checkedAt(cards, card, "cards");
    if (!remains(c)) {
        card = NO_CARD;
        return;
    }
    centreX = centreXOf(c, boardX);
    centreY = centreYOf(c, boardY);
}

void CardCursor::startNearestOrigin(const CardTable& cards, int32_t count, int32_t boardX,
                                    int32_t boardY) {
    double best = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const Card& c = checkedAt(cards, i, "cards");
        if (!remains(c)) continue;
        const double x = centreXOf(c, boardX);
        const double y = centreYOf(c, boardY);
        const double distance = x * x + y * y;
        if (card == NO_CARD || distance < best) {
            best = distance;
            card = i;
            centreX = static_cast<float>(x);
            centreY = static_cast<float>(y);
        }
    }
}

// The nearest remaining card within 45 degrees of the way, else the nearest on its side;
// a tie keeps the lower index. With neither, the cursor stays.
void CardCursor::move(int way, const CardTable& cards, int32_t count, int32_t boardX,
                      int32_t boardY) {
    const Way& w = WAYS[way];
    int32_t inCone = NO_CARD;
    int32_t onSide = NO_CARD;
    double coneBest = 0.0;
    double sideBest = 0.0;
    for (int32_t i = 0; i < count; ++i) {
        const Card& c = checkedAt(cards, i, "cards");
        if (!remains(c) || i == card) continue;
        const double dx = centreXOf(c, boardX) - centreX;
        const double dy = centreYOf(c, boardY) - centreY;
        const double along = dx * w.dx + dy * w.dy;
        if (along <= 0.0) continue;
        const double across = dx * w.dy - dy * w.dx;
        const double distance = dx * dx + dy * dy;
        if (across < along && -across < along && (inCone == NO_CARD || distance < coneBest)) {
            inCone = i;
            coneBest = distance;
        }
        if (onSide == NO_CARD || distance < sideBest) {
            onSide = i;
            sideBest = distance;
        }
    }
    const int32_t target = inCone != NO_CARD ? inCone : onSide;
    if (target == NO_CARD) return;
    card = target;
    const Card& c = checkedAt(cards, card, "cards");
    centreX = centreXOf(c, boardX);
    centreY = centreYOf(c, boardY);
}

void CardCursor::draw() const {
    if (!visible) return;
    const int32_t left = static_cast<int32_t>(std::lround(centreX - HALF_CARD));
    const int32_t top = static_cast<int32_t>(std::lround(centreY - HALF_CARD));
    ring(left - RIM_OUT, top - RIM_OUT, CARD_SIZE + 2 * RIM_OUT, RIM_WIDTH, 0);
    ring(left - BRIGHT_OUT, top - BRIGHT_OUT, CARD_SIZE + 2 * BRIGHT_OUT, BRIGHT_WIDTH, 255);
}
