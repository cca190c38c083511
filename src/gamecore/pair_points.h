// What a pair scores before the combo bonuses: the seconds left times how alike its cards are.
#pragma once

#include <cstdint>

inline constexpr int32_t SAME_NUMBER_TIMES = 3;
inline constexpr int32_t SAME_COLOR_TIMES = 2;
// A pair of the same number and the same colour doubles once more.
inline constexpr int32_t SAME_CARD_TIMES = 2;

// The multiplier of a pair: 3 for the same number, 2 for the same colour, 12 for both, 1
// for neither (which no pair is). Called by takePair and by the how-to-play screen.
constexpr int32_t pairMultiplier(bool sameNumber, bool sameColor) {
    int32_t multiplier = 1;
    if (sameNumber) multiplier *= SAME_NUMBER_TIMES;
    if (sameColor) multiplier *= SAME_COLOR_TIMES;
    if (sameNumber && sameColor) multiplier *= SAME_CARD_TIMES;
    return multiplier;
}
