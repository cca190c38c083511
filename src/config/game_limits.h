// How long a game lasts and how many pairs its board holds: the rules play to these
// limits, and a stored line of scores is checked against them.
#pragma once

#include <cstdint>

inline constexpr int32_t FRAMES_PER_SECOND = 60;
inline constexpr int32_t GAME_SECONDS = 180;
inline constexpr int32_t BOARD_PAIRS = 30;
