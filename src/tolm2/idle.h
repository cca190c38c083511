// The idle rule: a paused or iconified game draws only when its picture changes, and
// sleeps in the event wait in between.
#pragma once

namespace plat {
struct WindowEvents;
}

// Called by a scene during its step, on every frame its picture holds still by itself
// (the playing scene while paused). That frame and the wait after it are idle.
void Tolm_holdStill();
// Called by the scene loop after the scene's step, and by Tolm_flip: whether this frame
// is drawn and shown. False only in an idle frame (held still, or iconified) when nothing
// has changed since the last frame drawn: the first idle frame is drawn, and so is one
// after an expose, a key, a button, a focus change or a new window size.
bool Tolm_frameWanted();

// Framework internals.
// Tolm_wait, before its deadline: whether the frame that ends is idle, so the wait goes on
// sleeping until an event comes.
bool Tolm_idleFrame();
// Tolm_wait, after the events: takes in what they said, and ends the frame's hold.
void Tolm_noteFrameEvents(const plat::WindowEvents& events);
// F5: the window is iconified until the window manager restores it or a key or button
// shows it in use (without a window manager nothing else would say so).
void Tolm_noteIconified();
// A new video mode or rebuilt textures: the next frame is drawn whatever the rule says.
void Tolm_noteChange();
// Forgets the idle state; Tolm_init calls it.
void Tolm_resetIdle();
