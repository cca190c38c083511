// Raw input: keyboard, mouse buttons and four joystick slots, sampled once per frame.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int KEY_COUNT = 323;
inline constexpr int JOY_SLOTS = 4;
inline constexpr int AXIS_THRESHOLD = 26214;

// Key symbols, numbered as the platform's keyboard table.
enum KeyCode : int {
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_M = 109,
    KEY_P = 112,
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

// One joystick slot: the open device (if any) and two samples of its buttons and axes.
class Joystick {
public:
    int16_t prevX = 0, prevY = 0, curX = 0, curY = 0;
    uint8_t prevHat = 0, curHat = 0;  // the first hat's direction bits
    std::vector<bool> prevButtons, curButtons;
    int handle = -1;  // platform joystick index; -1 when the slot is empty
    int32_t buttonCount = 0;

    bool open() const { return handle >= 0; }
};

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

// Scales a pixel offset into a picture windowSize pixels across to the logical axis,
// rounding down (negative offsets included); a zero window size maps to 0.
int32_t Tolm_toLogical(int32_t pixel, int32_t windowSize, int32_t logicalSize);

// Framework internals, called by Tolm_init, Tolm_wait and Tolm_quit.
void Tolm_openJoysticks();
void Tolm_closeJoysticks();
void Tolm_sampleInput();
// Forgets every sample and slot; a fresh process state for tests.
void Tolm_resetInput();
Joystick& Tolm_joystick(int slot);
