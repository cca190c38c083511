// Keypad: live logical buttons, the frame table, and the recording step.
#include "keypad/keypad.h"

#include <algorithm>

#include "keypad/keypad_fields.h"
#include "tolm2/tolm2.h"

namespace {

// Where one logical button comes from: up to two keys (pad 0 only) and one joystick
// button or direction of the Keypad's slot.
struct Source {
    int keys[2];
    int keyCount;
    bool direction;
    int joystickCode;
};

constexpr Source SOURCES[KEYPAD_BUTTONS] = {
    {{KEY_Z, KEY_SPACE}, 2, false, 0},
    {{KEY_X, KEY_RETURN}, 2, false, 1},
    {{KEY_LEFT, 0}, 1, true, JOY_LEFT},
    {{KEY_UP, 0}, 1, true, JOY_UP},
    {{KEY_RIGHT, 0}, 1, true, JOY_RIGHT},
    {{KEY_DOWN, 0}, 1, true, JOY_DOWN},
};

bool keyAnswer(int key, bool pushed) { return pushed ? Tolm_keyPushed(key) : Tolm_keyHeld(key); }

bool joystickAnswer(const Source& source, bool pushed, int slot) {
    if (source.direction) {
        return pushed ? Tolm_joyDirPushed(source.joystickCode, slot)
                      : Tolm_joyDirHeld(source.joystickCode, slot);
    }
    return pushed ? Tolm_joyButtonPushed(source.joystickCode, slot)
                  : Tolm_joyButtonHeld(source.joystickCode, slot);
}

}  // namespace

Keypad::Keypad(int32_t padNumber_) : states(MAX_FRAME), padNumber(padNumber_) {
    if (padNumber < 0 || padNumber >= JOY_SLOTS) {
        throw TolmError::format("Keypad: pad number %d outside 0..%d", padNumber, JOY_SLOTS - 1);
    }
}

void Keypad::update() {
    if (mode == PLAY) {
        ++frame;
        if (frame >= recordLength) frame = recordLength - 1;  // the last frame repeats
        return;
    }
    if (frame >= MAX_FRAME - 1) return;  // table full: the recording ends here
    ++frame;
    // Capped so that save, which writes frames 0..recordLength, stays inside the table.
    if (frame >= recordLength) recordLength = std::min(frame + 1, MAX_FRAME - 1);
    recordFrame();
}

void Keypad::recordFrame() {
    // The twelve queries in file order, through the virtual table; a braced list is
    // evaluated left to right.
    const bool answers[keypad_fields::FIELD_COUNT] = {
        holdA(false), holdB(false), holdLeft(false), holdUp(false), holdRight(false),
        holdDown(false), pushA(false), pushB(false), pushLeft(false), pushUp(false),
        pushRight(false), pushDown(false),
    };
    const bool flags[KEYPAD_BUTTONS] = {recordA, recordB, recordLeft, recordUp, recordRight,
                                        recordDown};
    KeypadState& state = entry(frame);
    for (int k = 0; k < keypad_fields::FIELD_COUNT; ++k) {
        state.*keypad_fields::inFileOrder(k) = answers[k] && flags[k % KEYPAD_BUTTONS];
    }
}

bool Keypad::query(Button button, bool pushed, bool raw) const {
    if (mode == RECORD || raw) return live(button, pushed);
    return stored(button, pushed);
}

// Edges come from each source on its own, so a second source going down while the
// first is held still counts as a push.
bool Keypad::live(Button button, bool pushed) const {
    const Source& source = SOURCES[button];
    for (int k = 0; k < source.keyCount; ++k) {
        if (keyAnswer(source.keys[k], pushed) && padNumber == 0) return true;
    }
    return joystickAnswer(source, pushed, padNumber);
}

// Only frames 0..recordLength-1 were loaded; any other frame (such as -1 after a file
// with no records) holds no input.
bool Keypad::stored(Button button, bool pushed) const {
    if (padNumber != 0 || frame < 0 || frame >= recordLength) return false;
    const KeypadState& state = stateAt(frame);
    return state.*(pushed ? keypad_fields::PUSH : keypad_fields::HOLD)[button];
}

void Keypad::checkIndex(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(states.size())) {
        throw TolmError::format("Keypad.stateAt(): index %d outside 0..%d", index,
                                static_cast<int32_t>(states.size()) - 1);
    }
}

const KeypadState& Keypad::stateAt(int32_t index) const {
    checkIndex(index);
    return states[static_cast<size_t>(index)];
}

KeypadState& Keypad::entry(int32_t index) {
    checkIndex(index);
    return states[static_cast<size_t>(index)];
}

void Keypad::setRecordA(bool on) { recordA = on; }
void Keypad::setRecordB(bool on) { recordB = on; }
void Keypad::setRecordLeft(bool on) { recordLeft = on; }
void Keypad::setRecordUp(bool on) { recordUp = on; }
void Keypad::setRecordRight(bool on) { recordRight = on; }
void Keypad::setRecordDown(bool on) { recordDown = on; }

bool Keypad::holdA(bool raw) { return query(BUTTON_A, false, raw); }
bool Keypad::pushA(bool raw) { return query(BUTTON_A, true, raw); }
bool Keypad::holdB(bool raw) { return query(BUTTON_B, false, raw); }
bool Keypad::pushB(bool raw) { return query(BUTTON_B, true, raw); }
bool Keypad::holdLeft(bool raw) { return query(BUTTON_LEFT, false, raw); }
bool Keypad::holdUp(bool raw) { return query(BUTTON_UP, false, raw); }
bool Keypad::holdRight(bool raw) { return query(BUTTON_RIGHT, false, raw); }
bool Keypad::holdDown(bool raw) { return query(BUTTON_DOWN, false, raw); }
bool Keypad::pushLeft(bool raw) { return query(BUTTON_LEFT, true, raw); }
bool Keypad::pushUp(bool raw) { return query(BUTTON_UP, true, raw); }
bool Keypad::pushRight(bool raw) { return query(BUTTON_RIGHT, true, raw); }
bool Keypad::pushDown(bool raw) { return query(BUTTON_DOWN, true, raw); }
