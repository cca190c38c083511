// Music and effects loudness as levels from 0 (silent) to 10 (full), apart from the mute.
#pragma once

#include <cstdint>

inline constexpr int32_t MAX_VOLUME_LEVEL = 10;

// The options screen, and the scene loop's start-up with the saved levels: the music's
// or every effect's loudness from now on. A level outside 0..10 is taken as the nearer
// end. Only a change reaches the mixer (as the square of the level, so that each step
// sounds about as large as the last), and not while there is no sound device. The mute
// (Tolm_setMuted) silences both without changing them. Tolm_quit puts both back at 10.
void Tolm_setMusicVolume(int32_t level);
void Tolm_setEffectsVolume(int32_t level);
int32_t Tolm_musicVolume();
int32_t Tolm_effectsVolume();
