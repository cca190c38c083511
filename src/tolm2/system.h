// Start-up and shutdown of the framework, and the window operations of the function keys.
#pragma once

#include <cstdint>
#include <string>

// Opens the window, GL state, audio, four joystick slots and the font, clears the shared
// table and deletes the old "run.log". The 640 x 480 picture is stretched over the window,
// or with keepAspect kept 4:3 between black bars. With fullScreenAtDesktop, full screen
// (at start or by F9) takes the desktop's size, with no mode switch and the picture kept
// 4:3; otherwise it takes width x height too. Called once by the entry; a second call
// does nothing. Throws TolmError ("Tolm_init: Couldn't initialize SDL", "Tolm_init: Couldn't
// set video mode", "Tolm_init: <audio error>").
void Tolm_init(const std::string& caption, int32_t width, int32_t height, bool fullscreen,
               bool keepCursor, bool keepAspect = false, bool fullScreenAtDesktop = false);
// Releases what Tolm_init made, in order; safe after a failed or partial start-up.
void Tolm_quit();

