// Picking cards: one press of the left button picks, drops, turns up or judges.
#include "gamecore/game_main.h"

#include "tolm2/tolm2.h"

namespace {

const std::array<int32_t, 3> MISS_TINT = {100, 100, 100};

}  // namespace

// Called by stepPlay in a frame in which the left button went down. A click that hits
// two cards at once, or nothing, does nothing.
void GameMain::click() {
    const int32_t mx = input.x();
    const int32_t my = input.y();
    int32_t freeHits = 0;
    int32_t pickedHits = 0;
    int32_t hit = NO_CARD;
    for (int32_t i = 0; i < cardCount; ++i) {
        const Card& c = card(i);
        if (c.state >= 2 || !isUnderMouse(c, mx, my)) continue;
        if (c.state == 0) ++freeHits;
        if (c.state == 1) ++pickedHits;
        hit = i;
    }
    pickWith(freeHits, pickedHits, hit);
}

// The picking steps, given what lies under the pointer: how many free and picked cards,
// and the last of them.
void GameMain::pickWith(int32_t freeHits, int32_t pickedHits, int32_t hit) {
    if (freeHits == 1 && pickedHits == 0 && firstPick != NO_CARD) {
        pickSecond(hit);
    } else if (freeHits == 1 && pickedHits == 0) {
        pickFirstOrTurnUp(hit);
    } else if (freeHits == 0 && pickedHits == 1 && hit == firstPick) {
        dropFirstPick();
    }
    if (firstPick != NO_CARD && secondPick != NO_CARD) judgePicks();
}

// A press of A or B: a click on index alone, even where other cards overlap it. A taken
// card's place, or no card, does nothing.
void GameMain::clickOnly(int32_t index) {
    if (index == NO_CARD) return;
    const Card& c = card(index);
    if (c.state >= 2) return;
    pickWith(c.state == 0 ? 1 : 0, c.state == 1 ? 1 : 0, index);
}

// A clicks the cursor's card; B clicks the first pick, which drops it.
void GameMain::stepCursor() {
    const KeypadState pressed = input.buttons();
    if (!cursor.update(pressed, cards, cardCount, boardX, boardY)) return;
    if (pressed.pushA) clickOnly(cursor.at());
    if (pressed.pushB && firstPick != NO_CARD) clickOnly(firstPick);
}

// A face-down card cannot be the second pick; the click then does nothing.
void GameMain::pickSecond(int32_t index) {
    Card& c = card(index);
    if (c.life <= 0) return;
    c.state = 1;
    secondPick = index;
}

void GameMain::pickFirstOrTurnUp(int32_t index) {
    Card& c = card(index);
    if (c.life > 0) {
        playSound("select");
        c.state = 1;
        firstPick = index;
        secondPick = NO_CARD;
        return;
    }
    playSound("powerup");
    c.life = cardLife;
    firstPick = NO_CARD;
    secondPick = NO_CARD;
}

void GameMain::dropFirstPick() {
    playSound("cancel");
    Card& c = card(firstPick);
    c.state = 0;
    c.life = cardLife;
    firstPick = NO_CARD;
    secondPick = NO_CARD;
}

void GameMain::judgePicks() {
    const Card& first = card(firstPick);
    const Card& second = card(secondPick);
    if (first.number != second.number && first.color != second.color) {
        missPicks();
        return;
    }
    playSound("get");
    takePair();
}

// Both cards go back on the board face down; the combo box is left alone.
void GameMain::missPicks() {
    playSound("miss");
    Card& first = card(firstPick);
    first.state = 0;
    first.life = 0;
    firstPick = NO_CARD;
    Card& second = card(secondPick);
    second.state = 0;
    second.life = 0;
    secondPick = NO_CARD;
    tintTarget = MISS_TINT;
}
