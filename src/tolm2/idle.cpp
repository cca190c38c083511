// The idle rule: a paused or iconified game draws only when its picture changes.
#include "tolm2/idle.h"
#include "tolm2/internal.h"

#include "tolm2/platform/platform.h"

namespace {

bool holding = false;     // the scene holds still in this frame
bool iconified = false;   // the window is iconified
bool wasIdle = false;     // the frame before this one was idle
bool changed = false;     // something changed since the last frame drawn
bool pressedLast = false; // the last frame's events held a key or button going down

bool idleNow() { return holding || iconified; }

}  // namespace

void Tolm_holdStill() { holding = true; }

bool Tolm_frameWanted() { return !idleNow() || !wasIdle || changed; }

// The press came in with the events drained after that frame had read the input, and it
// may still be held: the next frame reads it without sleeping, or a click that resumes
// would wait in the sleep for its own release and never be seen down.
bool Tolm_idleFrame() { return idleNow() && !pressedLast; }

void Tolm_noteFrameEvents(const plat::WindowEvents& events) {
    if (Tolm_frameWanted()) changed = false;
    wasIdle = idleNow();
    holding = false;
    pressedLast = events.pressed;
    if (events.iconified) iconified = true;
    if (events.restored || events.pressed) iconified = false;
    if (events.redraw || events.resized) changed = true;
}

void Tolm_noteIconified() { iconified = true; }

void Tolm_noteChange() { changed = true; }

void Tolm_resetIdle() {
    holding = iconified = wasIdle = changed = pressedLast = false;
}
