// Start-up and shutdown of the framework, and the window operations of the function keys.
#pragma once

#include <cstdint>
#include <string>

// Opens the window, GL state, audio, four joystick slots and the font, clears the shared
// table and deletes the old "run.log". The 640 x 480 picture is stretched over the window,
// or with keepAspect kept 4:3 between black bars. With fullScreenAtDesktop, full screen
// (at start or by F9) takes the desktop's size, with no mode switch and the picture kept
// 4:3, and a window larger than the desktop opens at the largest 4:3 size that fits it;
// otherwise full screen takes width x height too. Called once by the entry; a second call
// does nothing. Throws TolmError ("Tolm_init: Couldn't initialize SDL", "Tolm_init: Couldn't
// set video mode", "Tolm_init: <audio error>").
void Tolm_init(const std::string& caption, int32_t width, int32_t height, bool fullscreen,
               bool keepCursor, bool keepAspect = false, bool fullScreenAtDesktop = false);
// Releases what Tolm_init made, in order; safe after a failed or partial start-up.
void Tolm_quit();


// The options screen: full screen or the window, switched as F9 does; nothing when it is
// so already. Throws "_toggleFullScreen: Couldn't set video mode".
void Tolm_setFullScreen(bool on);
bool Tolm_isFullScreen();
// The options screen: the picture kept 4:3 between black bars, or stretched over the
// window; placed anew at once, for the drawing and the mouse alike.
void Tolm_setKeepAspect(bool keep);
bool Tolm_keepsAspect();
// The entry, at the end of a run: the window's size when not full screen, as the player
// last sized it (and as F9 would bring it back).
int32_t Tolm_windowWidth();
int32_t Tolm_windowHeight();
