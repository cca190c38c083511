// The combo bonuses that the three entries of the combo box earn together.
#pragma once

#include <cstdint>

inline constexpr int32_t BONUS_COLOR = 1000;
inline constexpr int32_t BONUS_SIGNAL = 2000;
inline constexpr int32_t BONUS_NUMBER = 3333;
inline constexpr int32_t BONUS_STEP_UNIT = 1000;
inline constexpr int32_t BONUS_8BIT = 6400;

// Sum of "NUMBER", "STEP " and "8 BIT" for the numbers n1, n2, n3 (oldest first);
// 0 when any of them is 999. Called by takePair after the shift of the box.
int32_t comboNumberBonus(int32_t n1, int32_t n2, int32_t n3);
// "COLOR" or "SIGNAL" for the colours c1, c2, c3 (oldest first); 0 when c1 is 4.
int32_t comboColorBonus(int32_t c1, int32_t c2, int32_t c3);
