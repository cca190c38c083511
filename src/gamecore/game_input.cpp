// The playing scene's input source: live and recorded, or played back.
#include "gamecore/game_input.h"

#include <algorithm>
#include <limits>

#include "keypad/keypad_fields.h"
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

// Held flags in bits 0..5, pushed ones in bits 6..11, in the keypad's button order.
uint16_t packedKeys(const KeypadState& state) {
    uint16_t keys = 0;
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        if (state.*keypad_fields::inFileOrder(k)) keys = static_cast<uint16_t>(keys | (1u << k));
    }
    return keys;
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
    digests.clear();
    mismatchClock.reset();
    next = 0;
    played = 0;
    current = watched && !watched->record.frames.empty() ? watched->record.frames.front()
                                                         : PointerFrame{};
    current.buttons = 0;
    return seed;
}

void PlayInput::advance(const KeypadState& liveButtons) {
    ++played;
    if (watched) {
        const std::vector<PointerFrame>& frames = watched->record.frames;
        if (next < frames.size()) {
            current = frames[next++];
        } else {
            current.buttons = 0;
            current.keys = 0;
        }
        return;
    }
    current = livePointer();
    current.keys = packedKeys(liveButtons);
    if (recorded.size() < MAX_WATCH_FRAMES) recorded.push_back(current);
}

KeypadState PlayInput::buttons() const {
    KeypadState state;
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        state.*keypad_fields::inFileOrder(k) = (current.keys & (1u << k)) != 0;
    }
    return state;
}

void PlayInput::noteDigest(uint32_t digest, int32_t clock) {
    const size_t second = played / FRAMES_PER_DIGEST - 1;
    if (!watched) {
        if (second == digests.size() && played <= recorded.size()) digests.push_back(digest);
        return;
    }
    if (second == digests.size()) digests.push_back(digest);
    const std::vector<uint32_t>& expected = watched->record.digests;
    if (!mismatchClock && second < expected.size() && expected[second] != digest) {
        mismatchClock = clock;
    }
}

WatchRecord PlayInput::recording(int32_t mode, int32_t score) const {
    WatchRecord record;
    record.mode = mode;
    record.seed = seed;
    record.score = score;
    record.frames = recorded;
    record.digests = digests;
    return record;
}
