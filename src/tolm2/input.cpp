// Raw input samples and the held/pushed queries on them.
#include "tolm2/input.h"

#include <array>

#include "tolm2/draw.h"
#include "tolm2/error.h"
#include "tolm2/internal.h"
#include "tolm2/log.h"
#include "tolm2/platform/platform.h"
#include "tolm2/system.h"

namespace {

std::array<bool, KEY_COUNT> curKeys{};
std::array<bool, KEY_COUNT> prevKeys{};
uint8_t curMouseButtons = 0;
uint8_t prevMouseButtons = 0;
std::array<Joystick, JOY_SLOTS> joysticks;

bool validKey(int key) { return key >= 0 && key < KEY_COUNT; }

const Joystick* openSlot(int slot) {
    if (slot < 0 || slot >= JOY_SLOTS) return nullptr;
    const Joystick& joy = joysticks[static_cast<size_t>(slot)];
    return joy.open() ? &joy : nullptr;
}

bool stickActive(int dir, int16_t x, int16_t y) {
    switch (dir) {
        case JOY_UP: return y < -AXIS_THRESHOLD;
        case JOY_DOWN: return y > AXIS_THRESHOLD;
        case JOY_RIGHT: return x > AXIS_THRESHOLD;
        case JOY_LEFT: return x < -AXIS_THRESHOLD;
        default: return false;
    }
}

bool hatActive(int dir, uint8_t hat) {
    switch (dir) {
        case JOY_UP: return (hat & plat::HAT_UP) != 0;
        case JOY_DOWN: return (hat & plat::HAT_DOWN) != 0;
        case JOY_RIGHT: return (hat & plat::HAT_RIGHT) != 0;
        case JOY_LEFT: return (hat & plat::HAT_LEFT) != 0;
        default: return false;
    }
}

bool validButton(const Joystick& joy, int button) {
    return button >= 0 && button < joy.buttonCount &&
           static_cast<size_t>(button) < joy.curButtons.size() &&
           static_cast<size_t>(button) < joy.prevButtons.size();
}

void sampleJoystick(Joystick& joy) {
    for (int32_t b = 0; b < joy.buttonCount; ++b) {
        const size_t i = static_cast<size_t>(b);
        joy.prevButtons.at(i) = joy.curButtons.at(i);
        joy.curButtons.at(i) = plat::joystickButton(joy.handle, b);
    }
    joy.prevX = joy.curX;
    joy.prevY = joy.curY;
    joy.curX = plat::joystickAxis(joy.handle, 0);
    joy.curY = plat::joystickAxis(joy.handle, 1);
    joy.prevHat = joy.curHat;
    joy.curHat = plat::joystickHat(joy.handle);
}

}  // namespace

bool Tolm_keyHeld(int key) { return validKey(key) && curKeys[static_cast<size_t>(key)]; }

bool Tolm_keyPushed(int key) {
    return validKey(key) && curKeys[static_cast<size_t>(key)] && !prevKeys[static_cast<size_t>(key)];
}

uint8_t Tolm_mouseButtons() { return curMouseButtons; }

uint8_t Tolm_mousePushed() { return static_cast<uint8_t>(curMouseButtons & ~prevMouseButtons); }

int32_t Tolm_toLogical(int32_t pixel, int32_t windowSize, int32_t logicalSize) {
    if (windowSize <= 0) return 0;
    const int64_t scaled = int64_t{pixel} * logicalSize;
    // Rounded down, so that a pixel left of or above the picture lands below 0.
    int64_t logical = scaled / windowSize;
    if (scaled % windowSize != 0 && scaled < 0) logical -= 1;
    return static_cast<int32_t>(logical);
}

int32_t Tolm_mouseX() {
    int32_t x = 0, y = 0;
    plat::mousePosition(x, y);
    const ViewRect picture = Tolm_pictureRect();
    return Tolm_toLogical(x - picture.x, picture.w, LOGICAL_WIDTH);
}

int32_t Tolm_mouseY() {
    int32_t x = 0, y = 0;
    plat::mousePosition(x, y);
    const ViewRect picture = Tolm_pictureRect();
    return Tolm_toLogical(y - picture.y, picture.h, LOGICAL_HEIGHT);
}

bool Tolm_joyDirHeld(int dir, int slot) {
    const Joystick* joy = openSlot(slot);
    return joy != nullptr &&
           (stickActive(dir, joy->curX, joy->curY) || hatActive(dir, joy->curHat));
}

bool Tolm_joyDirPushed(int dir, int slot) {
    const Joystick* joy = openSlot(slot);
    // Stick and hat are two sources, each with its own edge.
    if (joy == nullptr) return false;
    return (stickActive(dir, joy->curX, joy->curY) && !stickActive(dir, joy->prevX, joy->prevY)) ||
           (hatActive(dir, joy->curHat) && !hatActive(dir, joy->prevHat));
}

bool Tolm_joyButtonHeld(int button, int slot) {
    const Joystick* joy = openSlot(slot);
    return joy != nullptr && validButton(*joy, button) &&
           joy->curButtons[static_cast<size_t>(button)];
}

bool Tolm_joyButtonPushed(int button, int slot) {
    const Joystick* joy = openSlot(slot);
    return joy != nullptr && validButton(*joy, button) &&
           joy->curButtons[static_cast<size_t>(button)] &&
           !joy->prevButtons[static_cast<size_t>(button)];
}

void Tolm_openJoysticks() {
    const int present = plat::numJoysticks();
    for (int i = 0; i < JOY_SLOTS; ++i) {
        Joystick& joy = joysticks[static_cast<size_t>(i)];
        joy = Joystick();
        if (i >= present) continue;
        if (!plat::joystickOpen(i)) {
            Tolm_log("Tolm_init: joystick %d skipped: %s\n", i, plat::errorText().c_str());
            continue;
        }
        joy.handle = i;
        joy.buttonCount = plat::joystickNumButtons(i);
        joy.curButtons.assign(static_cast<size_t>(joy.buttonCount), false);
        joy.prevButtons.assign(static_cast<size_t>(joy.buttonCount), false);
    }
}

void Tolm_closeJoysticks() {
    for (Joystick& joy : joysticks) {
        if (joy.open()) plat::joystickClose(joy.handle);
        joy = Joystick();
    }
}

void Tolm_sampleInput() {
    prevMouseButtons = curMouseButtons;
    curMouseButtons = plat::mouseButtons();

    prevKeys = curKeys;
    plat::keyboardState(curKeys.data(), KEY_COUNT);

    plat::joystickUpdate();
    for (Joystick& joy : joysticks) {
        if (joy.open()) sampleJoystick(joy);
    }
}

void Tolm_resetInput() {
    curKeys.fill(false);
    prevKeys.fill(false);
    curMouseButtons = prevMouseButtons = 0;
    for (Joystick& joy : joysticks) joy = Joystick();
}

Joystick& Tolm_joystick(int slot) {
    if (slot < 0 || slot >= JOY_SLOTS) throw TolmError::format("Tolm_joystick: no slot %d", slot);
    return joysticks[static_cast<size_t>(slot)];
}
