// Taking a pair: points, the combo box and its bonuses, open groups and the pair log.
#include "gamecore/combo.h"
#include "gamecore/game_main.h"
#include "gamecore/pair_points.h"

#include <algorithm>
#include <cstdlib>

#include "tolm2/checked_table.h"
#include "tolm2/tolm2.h"

namespace {

constexpr std::array<int32_t, 10> POWERS_OF_TWO = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512};
const std::array<int32_t, 3> MIXED_TINT = {0, 0, 100};
const std::array<std::array<int32_t, 3>, COLOR_COUNT> COLOR_TINTS = {{
    {150, 0, 0},
    {0, 150, 0},
    {150, 150, 0},
}};

bool readsAsPowerOfTwo(int32_t n1, int32_t n2, int32_t n3) {
    const int32_t value = 100 * n1 + 10 * n2 + n3;
    return std::find(POWERS_OF_TWO.begin(), POWERS_OF_TWO.end(), value) != POWERS_OF_TWO.end();
}

}  // namespace

int32_t comboNumberBonus(int32_t n1, int32_t n2, int32_t n3) {
    if (n1 == NO_NUMBER || n2 == NO_NUMBER || n3 == NO_NUMBER) return 0;
    int32_t bonus = 0;
    if (n1 == n2 && n2 == n3) bonus += BONUS_NUMBER;
    // Steps wrap from 9 to 0; the smaller plain difference is what pays.
    if ((n1 - n2 + 10) % 10 == (n2 - n3 + 10) % 10) {
        bonus += BONUS_STEP_UNIT * std::min(std::abs(n1 - n2), std::abs(n2 - n3));
    }
    if (readsAsPowerOfTwo(n1, n2, n3)) bonus += BONUS_8BIT;
    return bonus;
}

int32_t comboColorBonus(int32_t c1, int32_t c2, int32_t c3) {
    if (c1 == MIXED_COLOR) return 0;
    int32_t bonus = 0;
    if (c1 == c2 && c2 == c3) bonus += BONUS_COLOR;
    if (c1 != c2 && c1 + c2 + c3 == 3) bonus += BONUS_SIGNAL;
    return bonus;
}

// Called by click right after "get", with two different picked cards that share a
// colour or a number.
void GameMain::takePair() {
    Card& a = card(firstPick);
    Card& b = card(secondPick);
    takeBase = (timeLeft + FRAMES_PER_SECOND - 1) / FRAMES_PER_SECOND;  // whole seconds left
    takeMultiplier = 1;
    numberBonus = 0;
    colorBonus = 0;
    summariseTake(a, b);
    removePicks(a, b);
    openGroups = countOpenGroups();
    shiftComboBox();
    payComboBonuses();
    score += takeBase * takeMultiplier + numberBonus + colorBonus;
    logPair();
}

// The summary of the take, its multiplier, and the background tint.
void GameMain::summariseTake(const Card& a, const Card& b) {
    Card& summary = card(LAST_TAKE);
    const bool sameNumber = a.number == b.number;
    const bool sameColor = a.color == b.color;
    summary.number = sameNumber ? a.number : NO_NUMBER;
    if (sameColor) {
        summary.color = a.color;
        tintTarget = checkedAt(COLOR_TINTS, a.color, "colorTints");
    } else {
        summary.color = MIXED_COLOR;
        tintTarget = MIXED_TINT;
    }
    takeMultiplier *= pairMultiplier(sameNumber, sameColor);
}

void GameMain::removePicks(Card& a, Card& b) {
    a.state = 2;
    b.state = 2;
    firstPick = NO_CARD;
    secondPick = NO_CARD;
    takenCount += 2;
}

// Groups of two or more among the cards still in play (face-down ones count): ten
// numbers and three colours. 0 means no pair can be made any more.
int32_t GameMain::countOpenGroups() {
    std::array<int32_t, NUMBER_COUNT> perNumber{};
    std::array<int32_t, COLOR_COUNT> perColor{};
    for (int32_t i = 0; i < cardCount; ++i) {
        const Card& c = card(i);
        if (c.state >= 2) continue;
        checkedAt(perNumber, c.number, "numberGroups") += 1;
        checkedAt(perColor, c.color, "colorGroups") += 1;
    }
    const auto isOpen = [](int32_t count) { return count >= 2; };
    return static_cast<int32_t>(std::count_if(perNumber.begin(), perNumber.end(), isOpen) +
                                std::count_if(perColor.begin(), perColor.end(), isOpen));
}

void GameMain::shiftComboBox() {
    for (int32_t entry = 0; entry + 1 < COMBO_ENTRIES; ++entry) {
        Card& older = card(COMBO_BOX + entry);
        const Card& newer = card(COMBO_BOX + entry + 1);
        older.color = newer.color;
        older.number = newer.number;
    }
    Card& newest = card(COMBO_BOX + COMBO_ENTRIES - 1);
    newest.color = lastTake().color;
    newest.number = lastTake().number;
}

void GameMain::payComboBonuses() {
    const Card& oldest = comboBox(0);
    const Card& middle = comboBox(1);
    const Card& newest = comboBox(2);
    numberBonus += comboNumberBonus(oldest.number, middle.number, newest.number);
    colorBonus += comboColorBonus(oldest.color, middle.color, newest.color);
}

void GameMain::logPair() {
    const int32_t pair = takenCount / 2 - 1;
    colorBonusEntry(pair) = colorBonus;
    numberBonusEntry(pair) = numberBonus;
    popupAngleEntry(pair) = rulesRandomIn(0, 360);
}
