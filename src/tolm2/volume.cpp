// Music and effects levels, and the mixer volumes they stand for.
#include "tolm2/volume.h"

#include <algorithm>

#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"

namespace {

int32_t musicLevel = MAX_VOLUME_LEVEL;
int32_t effectsLevel = MAX_VOLUME_LEVEL;

// Stores level in held; true when that changed it.
bool changeLevel(int32_t& held, int32_t level) {
    const int32_t clamped = std::clamp(level, 0, MAX_VOLUME_LEVEL);
    if (clamped == held) return false;
    held = clamped;
    return true;
}

// The mixer's volume of a level: 0, 1, 5, 11, 20, 32, 46, 62, 81, 103, 128.
int32_t mixerVolume(int32_t level) {
    return plat::MAX_VOLUME * level * level / (MAX_VOLUME_LEVEL * MAX_VOLUME_LEVEL);
}

}  // namespace

void Tolm_setMusicVolume(int32_t level) {
    if (changeLevel(musicLevel, level) && Tolm_hasAudioDevice()) {
        plat::setMusicVolume(mixerVolume(musicLevel));
    }
}

void Tolm_setEffectsVolume(int32_t level) {
    if (changeLevel(effectsLevel, level) && Tolm_hasAudioDevice()) {
        plat::setEffectsVolume(mixerVolume(effectsLevel));
    }
}

int32_t Tolm_musicVolume() { return musicLevel; }
int32_t Tolm_effectsVolume() { return effectsLevel; }
