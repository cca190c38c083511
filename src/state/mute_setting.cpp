// M toggles the mute; "MUTE" in "config.ini" keeps it from one run to the next.
#include "state/mute_setting.h"

#include <optional>

#include "config/config_parser.h"
#include "config/config_store.h"
#include "config/mode_table.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t MARKER_X = 4;
constexpr int32_t MARKER_Y = 470;
constexpr float MARKER_SCALE = 1.0f;

void saveMute(bool muted) {
    config_store::update(CONFIG_FILE, [muted](ConfigParser& onDisk) {
        onDisk.setInt(MUTE_KEY, muted ? 1 : 0);
        return true;
    });
}

}  // namespace

// The title reports a file it cannot read; a bad MUTE value just means sound.
void restoreMute() {
    const std::optional<int32_t> mute = config_store::readInt(CONFIG_FILE, MUTE_KEY);
    if (mute) Tolm_setMuted(*mute == 1);
}

void serveMuteKey() {
    if (Tolm_keyPushed(KEY_M)) setMute(!Tolm_isMuted());
}

void setMute(bool muted) {
    Tolm_setMuted(muted);
    saveMute(muted);
}

void drawMuteMarker() {
    if (!Tolm_isMuted()) return;
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawText("MUTE", MARKER_X, MARKER_Y, MARKER_SCALE, 255, 255, 255, 255);
}
