// Bounds-checked access to fixed-size tables.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "tolm2/error.h"

// Entry index of table, named name in the error. Every fixed table (the modes, cards,
// the pair logs, hiScores, the group counts) goes through here; an index outside the
// table throws TolmError "GameMain: index <i> outside <name>[<size>]".
template <typename T, std::size_t N>
T& checkedAt(std::array<T, N>& table, int32_t index, const char* name) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        throw TolmError::format("GameMain: index %d outside %s[%zu]", index, name, N);
    }
    return table[static_cast<std::size_t>(index)];
}

template <typename T, std::size_t N>
const T& checkedAt(const std::array<T, N>& table, int32_t index, const char* name) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        throw TolmError::format("GameMain: index %d outside %s[%zu]", index, name, N);
    }
    return table[static_cast<std::size_t>(index)];
}
