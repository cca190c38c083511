// The browser platform: samples on eight channels and one piece of music through the
// page's Web Audio, which starts at the player's first click, touch or key. Until then
// every call is kept or dropped quietly: the game plays in silence.
#include <SDL.h>

#include "tolm2/platform/platform.h"
#include "tolm2/platform/web/web_calls.h"

namespace {

int32_t musicVolume = plat::MAX_VOLUME;
int32_t effectsVolume = plat::MAX_VOLUME;

void sendVolumes() {
    kv_set_volumes(static_cast<double>(musicVolume) / plat::MAX_VOLUME,
                   static_cast<double>(effectsVolume) / plat::MAX_VOLUME);
}

int refuse(const std::string& file) {
    SDL_SetError("Couldn't open %s", file.c_str());
    return 0;
}

}  // namespace

namespace plat {

bool openAudio() {
    musicVolume = effectsVolume = MAX_VOLUME;
    sendVolumes();
    kv_set_muted(0);
    return true;
}

void closeAudio() { kv_channel_halt(-1); }

int loadSample(const std::string& file) {
    const int id = kv_sample_load(file.c_str());
    return id != 0 ? id : refuse(file);
}

void freeSample(int sample) { kv_sample_free(sample); }

void playSample(int sample, int32_t loops, int32_t channel) {
    kv_sample_play(sample, loops, channel);
}

void haltChannel(int32_t channel) { kv_channel_halt(channel); }

bool loadMusic(const std::string& file) {
    if (kv_music_load(file.c_str()) != 0) return true;
    refuse(file);
    return false;
}

bool playMusic(int32_t loops, int32_t fadeInMs) { return kv_music_play(loops, fadeInMs) != 0; }

void fadeOutMusic(int32_t ms) { kv_music_fade_out(ms); }

void haltMusic() { kv_music_fade_out(0); }

void pauseMusic() { kv_music_pause(); }

void resumeMusic() { kv_music_resume(); }

void setMuted(bool muted) { kv_set_muted(muted ? 1 : 0); }

void setMusicVolume(int32_t volume) {
    musicVolume = volume;
    sendVolumes();
}

void setEffectsVolume(int32_t volume) {
    effectsVolume = volume;
    sendVolumes();
}

void freeMusic() { kv_music_free(); }

}  // namespace plat
