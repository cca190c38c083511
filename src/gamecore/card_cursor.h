// The card cursor of the playing scene: the keypad's way onto the board, its moves and repeat.
#pragma once

#include <array>
#include <cstdint>

#include "gamecore/card.h"
#include "keypad/keypad.h"

using CardTable = std::array<Card, CARD_TABLE_SIZE>;

inline constexpr int32_t CURSOR_REPEAT_DELAY = 15;  // frames a direction is held before it repeats
inline constexpr int32_t CURSOR_REPEAT_EVERY = 5;   // frames between repeats after that

class CardCursor {
public:
    // Called by each step of play after the cards moved and the pointer picked, with this
    // frame's logical buttons and cards 0..count-1 of the board at (boardX, boardY).
    // Follows its card, shows itself at the first push of any button (that push does
    // nothing else), then moves with the directions. True when the buttons may act on the
    // cursor's card this frame.
    bool update(const KeypadState& buttons, const CardTable& cards, int32_t count,
                int32_t boardX, int32_t boardY);
    // Drawn by the board over the cards once it shows: a bright frame with a dark rim
    // around the cursor's place, the same on every face, back and motion.
    void draw() const;

    bool shown() const { return visible; }
    // The card under the cursor, or NO_CARD on the place of a taken card.
    int32_t at() const { return card; }
    // Centre of the cursor's place in the 640 x 480 space.
    float placeX() const { return centreX; }
    float placeY() const { return centreY; }

private:
    void follow(const CardTable& cards, int32_t count, int32_t boardX, int32_t boardY);
    void startNearestOrigin(const CardTable& cards, int32_t count, int32_t boardX, int32_t boardY);
    void move(int way, const CardTable& cards, int32_t count, int32_t boardX, int32_t boardY);
    bool repeats(int way, bool held, bool pushed);

    bool visible = false;
    int32_t card = NO_CARD;
    float centreX = 0.0f;
    float centreY = 0.0f;
    std::array<int32_t, 4> heldFrames{};
};
