// The real platform: SDL_mixer samples on channels and one streamed piece of music.
#include <SDL.h>
#include <SDL_mixer.h>

#include <map>

#include "tolm2/platform/platform.h"

namespace {
std::map<int, Mix_Chunk*> samples;
int nextSample = 1;
Mix_Music* music = nullptr;
bool silenced = false;
int32_t musicVolume = plat::MAX_VOLUME;
int32_t effectsVolume = plat::MAX_VOLUME;
static_assert(plat::MAX_VOLUME == MIX_MAX_VOLUME, "the contract's volumes are the mixer's");

// The volumes the mixer should play at now.
void applyVolumes() {
    Mix_Volume(-1, silenced ? 0 : effectsVolume);
    Mix_VolumeMusic(silenced ? 0 : musicVolume);
}
}  // namespace

namespace plat {

bool openAudio() {
    // A stale message (a missing icon, say) must never be given as the reason.
    SDL_ClearError();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) >= 0) {
        silenced = false;
        musicVolume = effectsVolume = MAX_VOLUME;
        applyVolumes();
        return true;
    }
    // Some drivers fail without a word; the log line should still say what failed.
    if (SDL_GetError()[0] == '\0') SDL_SetError("Couldn't open the audio device");
    return false;
}

void closeAudio() { Mix_CloseAudio(); }

int loadSample(const std::string& file) {
    // Opened here, so that a missing file reports SDL's "Couldn't open" rather than the
    // mixer's complaint about a null source.
    SDL_RWops* source = SDL_RWFromFile(file.c_str(), "rb");
    if (source == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);
    if (chunk == nullptr) return 0;
    const int handle = nextSample++;
    samples[handle] = chunk;
    return handle;
}

void freeSample(int sample) {
    const auto found = samples.find(sample);
    if (found == samples.end()) return;
    Mix_FreeChunk(found->second);
    samples.erase(found);
}

void playSample(int sample, int32_t loops, int32_t channel) {
    const auto found = samples.find(sample);
    if (found != samples.end()) Mix_PlayChannelTimed(channel, found->second, loops, -1);
}

void haltChannel(int32_t channel) { Mix_HaltChannel(channel); }

bool loadMusic(const std::string& file) {
    music = Mix_LoadMUS(file.c_str());
    return music != nullptr;
}

bool playMusic(int32_t loops, int32_t fadeInMs) {
    if (music == nullptr) return false;
    if (fadeInMs <= 0) return Mix_PlayMusic(music, loops) == 0;
    return Mix_FadeInMusic(music, loops, fadeInMs) == 0;
}

void fadeOutMusic(int32_t ms) { Mix_FadeOutMusic(ms); }

void haltMusic() { Mix_HaltMusic(); }

void pauseMusic() { Mix_PauseMusic(); }

void resumeMusic() { Mix_ResumeMusic(); }

void setMuted(bool muted) {
    silenced = muted;
    applyVolumes();
}

void setMusicVolume(int32_t volume) {
    musicVolume = volume;
    applyVolumes();
}

void setEffectsVolume(int32_t volume) {
    effectsVolume = volume;
    applyVolumes();
}

void freeMusic() {
    if (music != nullptr) Mix_FreeMusic(music);
    music = nullptr;
}

}  // namespace plat
