// Start-up and shutdown of the framework, and the window operations of the function keys.
#pragma once

#include <cstdint>
#include <string>

#include "tolm2/viewport.h"

inline constexpr const char* ICON_FILE = "resource/ico.bmp";
inline constexpr const char* SCREENSHOT_FILE = "tolmshot.bmp";

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

// F9: full screen, or back to the window at the size it had.
void _toggleFullScreen();
// Tolm_wait, when the player resized the window: follows the new size (below 1 counts as
// 1); ignored in full screen. A size the driver refuses keeps the old one. Throws
// "Tolm_resizeWindow: Couldn't set video mode" only when not even that can be set again.
void Tolm_resizeWindow(int32_t width, int32_t height);
void Tolm_toggleCursor();
// Writes the window's pixels at the window's size to "tolmshot.bmp" as a 24-bit BMP, top
// row first. Tolm_flip calls it for F12 between putting the frame on the window and the
// swap, while the back buffer still holds that frame.
void Tolm_screenShot();

int32_t Tolm_screenWidth();
int32_t Tolm_screenHeight();
bool Tolm_isFullScreen();
// Where the picture sits in the window; the mouse maps through the same rectangle.
ViewRect Tolm_pictureRect();
