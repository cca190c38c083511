// The five options: each row's value, and its change applied at once and saved.
#include "state/option_rows.h"

#include <algorithm>
#include <array>

#include "config/config_parser.h"
#include "config/saved_options.h"
#include "state/mute_setting.h"
#include "tolm2/checked_table.h"
#include "tolm2/tolm2.h"

namespace {

int32_t onOff(bool on) { return on ? 1 : 0; }

void changeMusic(int32_t level) {
    Tolm_setMusicVolume(level);
    saveOption(CONFIG_FILE, MUSIC_VOLUME_KEY, level);
}

// A sample at the new level, so the player hears it.
void changeEffects(int32_t level) {
    Tolm_setEffectsVolume(level);
    Tolm_playWAV("select", 0, -1);
    saveOption(CONFIG_FILE, EFFECTS_VOLUME_KEY, level);
}

void changeFullScreen(int32_t on) {
    Tolm_setFullScreen(on == 1);
    saveOption(CONFIG_FILE, FULLSCREEN_KEY, on);
}

void changeKeepAspect(int32_t on) {
    Tolm_setKeepAspect(on == 1);
    saveOption(CONFIG_FILE, KEEP_ASPECT_KEY, on);
}

const std::array<OptionRow, OPTION_ROWS> ROWS{{
    {"MUSIC", false, Tolm_musicVolume, changeMusic},
    {"EFFECTS", false, Tolm_effectsVolume, changeEffects},
    {"MUTE", true, [] { return onOff(Tolm_isMuted()); }, [](int32_t on) { setMute(on == 1); }},
    {"FULL SCREEN", true, [] { return onOff(Tolm_isFullScreen()); }, changeFullScreen},
    {"KEEP 4:3", true, [] { return onOff(Tolm_keepsAspect()); }, changeKeepAspect},
}};

}  // namespace

const OptionRow& optionRow(int32_t row) { return checkedAt(ROWS, row, "optionRows"); }

int32_t steppedValue(const OptionRow& row, int32_t step) {
    return std::clamp(row.value() + step, 0, row.isSwitch ? 1 : MAX_VOLUME_LEVEL);
}

void restoreVolumes() {
    const SavedOptions saved = readSavedOptions(CONFIG_FILE, true);
    Tolm_setMusicVolume(saved.musicVolume);
    Tolm_setEffectsVolume(saved.effectsVolume);
}
