// Small services scenes share: the integer table, randomIn, and sine/cosine of degrees.
#pragma once

#include <cstdint>
#include <random>

inline constexpr int SHARED_SLOTS = 1024;

// The shared integer table outlives scenes (slot 10 carries the chosen mode).
// Both throw TolmError for an index outside 0..SHARED_SLOTS-1.
void Tolm_setValue(int index, int32_t value);
int32_t Tolm_getValue(int index);

// A uniform integer r with lo <= r < hi, or -1 when hi - lo < 1.
int32_t randomIn(int32_t lo, int32_t hi);
// The same draw from a generator of the caller's own: a game's rules keep one, so that
// no other draw in the process can change their sequence.
int32_t randomIn(std::mt19937& engine, int32_t lo, int32_t hi);
// A seed for such a generator, drawn from the process-wide one; the playing scene takes
// one at the start of each game.
uint32_t randomSeed();

double Tolm_sin(double degrees);
double Tolm_cos(double degrees);
