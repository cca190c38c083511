// Frame pacing, events, function keys and the FPS/CPU meters.
#pragma once

#include <cstdint>

inline constexpr int32_t FRAME_PERIOD = 16;

// The per-frame heartbeat, called by the entry after Tolm_flip: sleeps until the
// frame's deadline, period ms after the previous one (after an idle frame, on
// until the next event), samples input, drains events, follows a resized window,
// serves F4/F5/F9/F10/F12, and throws QUIT_MESSAGE on window close or, where the program
// may end itself (Tolm_canQuit), on Escape. A wait that wakes late keeps the deadlines
// where they were, so frames come every period ms on average however the sleeps fall;
// a frame a whole period late starts them afresh from its end.
// Returns the ms between the end of the previous wait and the end of this one.
int32_t Tolm_wait(int32_t period);
// The scene loop, for Escape: false in a page, which cannot close itself, so Escape
// there leaves the scene for the title instead of ending the program.
bool Tolm_canQuit();
// Whether the frame wait that ended last saw the window lose the keyboard focus or be
// iconified (F5 included); the playing scene pauses on it.
bool Tolm_focusLost();
// Puts the frame on the window, saves it as "tolmshot.bmp" when F12 was pressed since the
// last flip, and swaps the GL buffers; the entry calls it after the scene has drawn.
// Does nothing in a frame that was not drawn (Tolm_frameWanted).
void Tolm_flip();
int32_t Tolm_getFps();
int32_t Tolm_getCpu();
// Draws "FPS:<n>" and "CPU:<n>" at (x, y) and (x, y + 8); a negative x or y means
// (10, window height - 24).
void Tolm_drawFps(int32_t x, int32_t y);
