// The twelve fields of KeypadState by button and kind, shared by sampling and replay files.
#pragma once

#include "keypad/keypad.h"

namespace keypad_fields {

using Field = bool KeypadState::*;

inline constexpr Field HOLD[KEYPAD_BUTTONS] = {
    &KeypadState::holdA,     &KeypadState::holdB,     &KeypadState::holdLeft,
    &KeypadState::holdUp,    &KeypadState::holdRight, &KeypadState::holdDown,
};
inline constexpr Field PUSH[KEYPAD_BUTTONS] = {
    &KeypadState::pushA,     &KeypadState::pushB,     &KeypadState::pushLeft,
    &KeypadState::pushUp,    &KeypadState::pushRight, &KeypadState::pushDown,
};

inline constexpr int FIELD_COUNT = 2 * KEYPAD_BUTTONS;
inline constexpr int FIELD_BYTES = REPLAY_RECORD_BYTES / FIELD_COUNT;

// Field k of a record, in file order: the six held flags, then the six pushed ones.
inline Field inFileOrder(int k) { return k < KEYPAD_BUTTONS ? HOLD[k] : PUSH[k - KEYPAD_BUTTONS]; }

}  // namespace keypad_fields
