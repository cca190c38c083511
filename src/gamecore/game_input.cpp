// The playing scene's input source: live and recorded, or played back.
#include "gamecore/game_input.h"

#include <algorithm>
#include <limits>

#include "tolm2/tolm2.h"

namespace {

int16_t clamped(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

// The framework's pointer now, in the form a watch file keeps.
PointerFrame livePointer() {
    PointerFrame frame;
    frame.x = clamped(Tolm_mouseX());
    frame.y = clamped(Tolm_mouseY());
    if ((Tolm_mouseButtons() & MOUSE_LEFT) != 0) frame.buttons |= POINTER_LEFT_HELD;
    if ((Tolm_mousePushed() & MOUSE_LEFT) != 0) frame.buttons |= POINTER_LEFT_PUSHED;
    return frame;
}

}  // namespace

PlayInput::PlayInput(WatchedGame game) : watched(std::move(game)) {}

const WatchedGame& PlayInput::watchedGame() const {
    if (!watched) throw TolmError("PlayInput: not watching a game");
    return *watched;
}

uint32_t PlayInput::startSeed() {
    seed = watched ? watched->record.seed : randomSeed();
    recorded.clear();
    next = 0;
    current = watched && !watched->record.frames.empty() ? watched->record.frames.front()
                                                         : PointerFrame{};
    current.buttons = 0;
    return seed;
}

void PlayInput::advance() {
    if (watched) {
        const std::vector<PointerFrame>& frames = watched->record.frames;
        if (next < frames.size()) {
            current = frames[next++];
        } else {
            current.buttons = 0;
        }
        return;
    }
    current = livePointer();
    if (recorded.size() < MAX_WATCH_FRAMES) recorded.push_back(current);
}

WatchRecord PlayInput::recording(int32_t mode, int32_t score) const {
    WatchRecord record;
    record.mode = mode;
    record.seed = seed;
    record.score = score;
    record.frames = recorded;
    return record;
}
