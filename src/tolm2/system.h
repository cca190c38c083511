// Start-up and shutdown of the framework, and the window operations of the function keys.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* ICON_FILE = "resource/ico.bmp";
inline constexpr const char* SCREENSHOT_FILE = "tolmshot.bmp";

// Opens the window, GL state, audio, four joystick slots and the font, clears the shared
// table and deletes the old "run.log". Called once by the entry; a second call does
// nothing. Throws TolmError ("Tolm_init: Couldn't initialize SDL", "Tolm_init: Couldn't
// set video mode", "Tolm_init: <audio error>").
void Tolm_init(const std::string& caption, int32_t width, int32_t height, bool fullscreen,
               bool keepCursor);
// Releases what Tolm_init made, in order; safe after a failed or partial start-up.
void Tolm_quit();

void _toggleFullScreen();
void Tolm_toggleCursor();
// Writes the window's current frame to "tolmshot.bmp" as a 24-bit BMP, top row first.
void Tolm_screenShot();

int32_t Tolm_screenWidth();
int32_t Tolm_screenHeight();
bool Tolm_isFullScreen();
