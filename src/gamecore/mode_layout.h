// How each mode lays out its board.
#pragma once

#include <cstdint>

#include "config/mode_table.h"

// Modes outside 2..6 lay out the ordered grid.
inline bool isShuffledMode(int32_t mode) { return mode == MODE_SHUFFLE || mode == MODE_MEMORY; }
inline bool isScatteredMode(int32_t mode) {
    return mode == MODE_SQUARE || mode == MODE_MIXER || mode == MODE_REVERSE;
}
// Cards turn face down after a while.
inline bool isFadingMode(int32_t mode) { return mode == MODE_MEMORY || mode == MODE_REVERSE; }
