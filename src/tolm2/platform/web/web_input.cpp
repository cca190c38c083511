// The browser platform: the page's events, keys, pointer and touches, and gamepads.
#include <SDL.h>

#include <array>

#include "tolm2/platform/platform.h"
#include "tolm2/platform/web/web_calls.h"

namespace {

// The browser shows a gamepad only once a button is pressed, so every slot is open
// from the start and reads nothing until a pad is there.
constexpr int PAD_SLOTS = 4;
// The standard mapping: 17 buttons, the pad's directions on 12 to 15.
constexpr int PAD_BUTTONS = 17;
constexpr int PAD_UP = 12, PAD_DOWN = 13, PAD_LEFT = 14, PAD_RIGHT = 15;
// An idle wait looks at gamepads, which raise no events, once a frame.
constexpr uint32_t IDLE_LOOK_MS = 16;

plat::WindowEvents windowEvents;
std::array<bool, PAD_SLOTS> padOpen{};

bool validPad(int index) {
    return index >= 0 && index < PAD_SLOTS && padOpen[static_cast<size_t>(index)];
}

bool anyPadButton() {
    kv_pads_update();
    for (int pad = 0; pad < PAD_SLOTS; ++pad) {
        if (kv_pad_connected(pad) == 0) continue;
        for (int button = 0; button < PAD_BUTTONS; ++button) {
            if (kv_pad_button(pad, button) != 0) return true;
        }
    }
    return false;
}

void noteEvents(int bits) {
    if ((bits & KV_REDRAW) != 0) windowEvents.redraw = true;
    if ((bits & KV_PRESSED) != 0) windowEvents.pressed = true;
    if ((bits & KV_ICONIFIED) != 0) windowEvents.iconified = true;
    if ((bits & KV_RESTORED) != 0) windowEvents.restored = true;
}

}  // namespace

namespace plat {

// A page is closed by the browser, never by an event the program sees. SDL's own queue
// is drained so that it does not grow.
bool pollQuit() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    noteEvents(kv_take_events());
    return false;
}

void waitForEvent() {
    while (true) {
        kv_wait_event(IDLE_LOOK_MS);
        if (anyPadButton()) {
            windowEvents.pressed = true;
            return;
        }
        const int bits = kv_take_events();
        if (bits != 0) {
            noteEvents(bits);
            return;
        }
    }
}

WindowEvents takeWindowEvents() {
    const WindowEvents events = windowEvents;
    windowEvents = WindowEvents();
    return events;
}

bool takeFocusLoss() { return kv_take_focus_loss() != 0; }

uint8_t mouseButtons() { return static_cast<uint8_t>(kv_mouse_buttons() & 7); }

void mousePosition(int32_t& x, int32_t& y) {
    x = kv_mouse_x();
    y = kv_mouse_y();
}

void keyboardState(bool* down, int count) { kv_keys(down, count); }

int numJoysticks() { return PAD_SLOTS; }

bool joystickOpen(int index) {
    if (index < 0 || index >= PAD_SLOTS) return false;
    padOpen[static_cast<size_t>(index)] = true;
    return true;
}

int joystickNumButtons(int index) { return validPad(index) ? PAD_BUTTONS : 0; }

void joystickClose(int index) {
    if (validPad(index)) padOpen[static_cast<size_t>(index)] = false;
}

void joystickUpdate() { kv_pads_update(); }

bool joystickButton(int index, int button) {
    return validPad(index) && kv_pad_button(index, button) != 0;
}

int16_t joystickAxis(int index, int axis) {
    return validPad(index) ? static_cast<int16_t>(kv_pad_axis(index, axis)) : 0;
}

uint8_t joystickHat(int index) {
    if (!validPad(index)) return 0;
    uint8_t hat = 0;
    if (kv_pad_button(index, PAD_UP) != 0) hat |= HAT_UP;
    if (kv_pad_button(index, PAD_RIGHT) != 0) hat |= HAT_RIGHT;
    if (kv_pad_button(index, PAD_DOWN) != 0) hat |= HAT_DOWN;
    if (kv_pad_button(index, PAD_LEFT) != 0) hat |= HAT_LEFT;
    return hat;
}

}  // namespace plat
