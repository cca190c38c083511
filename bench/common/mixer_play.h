// A busy MIXER board for the benchmarks: cards moving, pairs taken, pop-ups flying.
#pragma once

#include <cstdint>

#include "gamecore/game_main.h"

inline constexpr int32_t MIXER = 5;
inline constexpr int TAKE_EVERY = 10;  // frames between takes; the pair log has room for 30

// Steps, draws and shows frames of game (set up for the mode in the mode slot) until its
// clock runs.
void playUntilPlaying(GameMain& game);
// Before frame number frame of a busy board: takes the next twin pair every TAKE_EVERY
// frames, up to 29 takes; nextTake counts them.
void takeOnSchedule(GameMain& game, int frame, int32_t& nextTake);
// After a busy frame: cards whose take animation has ended go back on the board, so it
// stays full.
void returnTakenCards(GameMain& game);
