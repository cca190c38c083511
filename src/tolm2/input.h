// Raw input: keyboard, mouse buttons and four joystick slots, sampled once per frame.
#pragma once

#include <cstdint>

inline constexpr int KEY_COUNT = 323;
inline constexpr int JOY_SLOTS = 4;
inline constexpr int AXIS_THRESHOLD = 26214;

// Key symbols, numbered as the platform's keyboard table.
enum KeyCode : int {
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_D = 100,
    KEY_H = 104,
    KEY_M = 109,
    KEY_O = 111,
    KEY_P = 112,
    KEY_S = 115,
    KEY_X = 120,
    KEY_Z = 122,
    KEY_UP = 273,
    KEY_DOWN = 274,
    KEY_RIGHT = 275,
    KEY_LEFT = 276,
    KEY_F4 = 285,
    KEY_F5 = 286,
    KEY_F9 = 290,
    KEY_F10 = 291,
    KEY_F12 = 293,
};

enum JoyDirection : int { JOY_UP = 0, JOY_DOWN = 1, JOY_RIGHT = 2, JOY_LEFT = 3 };

inline constexpr uint8_t MOUSE_LEFT = 1;
inline constexpr uint8_t MOUSE_MIDDLE = 2;
inline constexpr uint8_t MOUSE_RIGHT = 4;

// Queries: the same answer all through a frame; out-of-range arguments answer false.
bool Tolm_keyHeld(int key);
bool Tolm_keyPushed(int key);
uint8_t Tolm_mouseButtons();
uint8_t Tolm_mousePushed();
// Pointer position in the 640 x 480 logical space, mapped through the picture's rectangle
// in the window: outside the picture it lies outside 0..639 x 0..479.
int32_t Tolm_mouseX();
int32_t Tolm_mouseY();
// A direction is active while the first stick lies beyond AXIS_THRESHOLD on its side or
// the first hat points that way.
bool Tolm_joyDirHeld(int dir, int slot);
bool Tolm_joyDirPushed(int dir, int slot);
bool Tolm_joyButtonHeld(int button, int slot);
bool Tolm_joyButtonPushed(int button, int slot);
