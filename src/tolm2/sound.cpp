// The keyed store of sound samples and the one piece of music.
#include "tolm2/sound.h"

#include <fstream>
#include <map>

#include "tolm2/error.h"
#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"

namespace {
std::map<std::string, int> sounds;
bool musicLoaded = false;
bool deviceOpen = true;
bool muted = false;

// The stand-in handle of a sample loaded in silence; never passed to the platform.
constexpr int SILENT_SAMPLE = 0;

// A broken install must stay visible even when no sound can be heard.
bool isReadable(const std::string& file) { return std::ifstream(file, std::ios::binary).good(); }
}  // namespace

void Tolm_setAudioDevice(bool open) { deviceOpen = open; }

bool Tolm_hasAudioDevice() { return deviceOpen; }

void Tolm_loadWAV(const std::string& key, const std::string& file) {
    if (sounds.count(key) != 0) Tolm_disposeWAV(key);
    if (!deviceOpen) {
        if (!isReadable(file)) {
            throw TolmError::format("Tolm_loadWAV: Couldn't open %.*s(%.*s)",
                                    static_cast<int>(file.size()), file.data(),
                                    static_cast<int>(file.size()), file.data());
        }
        sounds[key] = SILENT_SAMPLE;
        return;
    }
    const int sample = plat::loadSample(file);
    if (sample == 0) {
        throw TolmError::format("Tolm_loadWAV: %s(%.*s)", plat::errorText().c_str(),
                                static_cast<int>(file.size()), file.data());
    }
    sounds[key] = sample;
}

void Tolm_playWAV(const std::string& key, int32_t loops, int32_t channel) {
    const auto found = sounds.find(key);
    if (found == sounds.end()) throw TolmError("Tolm_playWAV: Has not exist key: " + key);
    if (found->second != SILENT_SAMPLE) plat::playSample(found->second, loops, channel);
}

void Tolm_disposeWAV(const std::string& key) {
    if (key.empty()) {
        for (const auto& entry : sounds) {
            if (entry.second != SILENT_SAMPLE) plat::freeSample(entry.second);
        }
        sounds.clear();
        return;
    }
    const auto found = sounds.find(key);
    if (found == sounds.end()) throw TolmError("Tolm_disposeWAV: Has not exist key: " + key);
    if (found->second != SILENT_SAMPLE) plat::freeSample(found->second);
    sounds.erase(found);
}

void Tolm_haltChannel(int32_t channel) {
    if (deviceOpen) plat::haltChannel(channel);
}

void Tolm_playBgm(const std::string& file, int32_t loops, int32_t fadeInMs) {
    Tolm_freeBgm();
    if (!deviceOpen) {
        if (!isReadable(file)) throw TolmError("Tolm_playBgm: Couldn't open " + file);
        return;
    }
    if (!plat::loadMusic(file)) throw TolmError("Tolm_playBgm: " + plat::errorText());
    musicLoaded = true;
    if (!plat::playMusic(loops, fadeInMs)) throw TolmError("Tolm_playBgm: " + plat::errorText());
}

void Tolm_stopBgm(int32_t fadeOutMs) {
    if (!musicLoaded) return;
    if (fadeOutMs <= 0) {
        Tolm_freeBgm();
        return;
    }
    plat::fadeOutMusic(fadeOutMs);
}

void Tolm_freeBgm() {
    if (!musicLoaded) return;
    plat::haltMusic();
    plat::freeMusic();
    musicLoaded = false;
}

void Tolm_pauseBgm() {
    if (musicLoaded) plat::pauseMusic();
}

void Tolm_resumeBgm() {
    if (musicLoaded) plat::resumeMusic();
}

void Tolm_setMuted(bool mute) {
    if (mute == muted) return;
    muted = mute;
    if (deviceOpen) plat::setMuted(mute);
}

bool Tolm_isMuted() { return muted; }
