// Test control of the headless platform: scripted input, a virtual clock, and the
// record of every drawing, sound and music call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tolm2/platform/platform.h"

namespace headless {

// Forgets records, input, clock, window and failure switches: a fresh machine.
void reset();

// ---- Scripted input, seen from the next Tolm_wait's sample on ----
// Pointer in window pixels.
void setMouse(int32_t x, int32_t y);
void setMouseButtons(uint8_t mask);
void setKey(int key, bool down);
// A window-close event in the queue of the next Tolm_wait.
void requestQuit();
// The window loses the keyboard focus, as when the player clicks another window.
void loseFocus();
// Window events in the queue of the next Tolm_wait: the player drags the border to
// width x height, another window uncovers it, the window manager iconifies or restores it.
// A key or button going down (setKey, setMouseButtons) is an event too.
void resizeWindow(int32_t width, int32_t height);
void expose();
void iconifyByWindowManager();
void restoreByWindowManager();
// Joysticks present at Tolm_init, each with the given number of buttons.
void attachJoysticks(int count, int buttons);
void setJoystickButton(int index, int button, bool down);
void setJoystickAxis(int index, int axis, int16_t value);
// The first hat's direction bits (plat::HAT_UP ...).
void setJoystickHat(int index, uint8_t directions);

// ---- The page's ways (canQuit false, downloads, handed files), off by default ----
void actAsPage(bool page);
// A watch file the player hands over, for the next takeHandedFile.
void handFile(const std::string& path);
// Every file offerFile handed to the player, and the player-file holds now open.
const std::vector<std::string>& offeredFiles();
int playerFileHolds();

// ---- Virtual clock: plat::delay advances it; nothing really sleeps ----
uint32_t now();
void advance(uint32_t ms);

// ---- Failure switches for start-up paths ----
void failInit(bool fail);
void failVideo(bool fail);
void failAudio(bool fail);
// Every joystick open fails, as for a device that vanished or is not readable.
void failJoysticks(bool fail);
// A mode change keeps the GL context and its textures (as classic SDL on X does), instead
// of losing them (the default).
void keepContextOnModeChange(bool keep);
// The desktop's size that Tolm_init reads; 0 x 0 for a platform that cannot tell.
void setDesktop(int32_t width, int32_t height);

// ---- Window state ----
struct Window {
    int32_t width = 0, height = 0;
    bool fullscreen = false;
    bool open = false;
    std::string caption;
    std::string icon;
    int cursorShown = 1;
    int iconified = 0;
    int presents = 0;
    int swaps = 0;
    ViewRect picture;  // as the last initView placed it
    int videoModes = 0;
    bool audioOpen = false;
    int eventWaits = 0;  // how often Tolm_wait slept until an event
};
const Window& window();

// ---- Recorded drawing, in call order ----
struct DrawCall {
    enum Kind { CLEAR, BEGIN_2D, BLEND, QUAD, GLYPHS, BOX } kind;
    int32_t blend = 0;
    plat::TexturedQuad quad{};
    plat::GlyphRun glyphs{};
    plat::Box box{};
};
const std::vector<DrawCall>& drawCalls();
void clearDrawCalls();
// Textures alive now, by GL name, and how many were ever created.
int liveTextures();
int createdTextures();

// ---- Recorded sound and music calls, in call order ----
struct SoundCall {
    std::string op;  // "load", "free", "play", "halt", "loadMusic", "playMusic", "fadeOut",
                     // "haltMusic", "freeMusic", "pauseMusic", "resumeMusic", "mute", "unmute",
                     // "musicVolume", "effectsVolume"
    std::string file;
    int32_t loops = 0;
    int32_t arg = 0;  // channel, fade-in or fade-out ms, or the volume
};
const std::vector<SoundCall>& soundCalls();
void clearSoundCalls();
// File name of a loaded sample handle, or "" if not loaded.
std::string sampleFile(int sample);

// The window's pixels (bottom row first) that every present() from now on leaves in the
// back buffer for readPixels. A swap leaves the back buffer undefined, as real drivers
// do: readPixels then answers black until the next present.
void setFramebuffer(std::vector<uint8_t> rgb);

}  // namespace headless
