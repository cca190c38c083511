// Start-up and shutdown of the framework, and the window operations of the function keys.
#include "tolm2/system.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tolm2/draw.h"
#include "tolm2/error.h"
#include "tolm2/font.h"
#include "tolm2/frame.h"
#include "tolm2/idle.h"
#include "tolm2/input.h"
#include "tolm2/internal.h"
#include "tolm2/log.h"
#include "tolm2/platform/platform.h"
#include "tolm2/shared.h"
#include "tolm2/sound.h"
#include "tolm2/texture.h"
#include "tolm2/volume.h"

namespace {

// sdl12-compat scales an OpenGL window's picture itself unless told not to; the framework
// already scales its one picture, so that would be a second pass over every pixel.
inline constexpr const char* LIBRARY_SCALING = "SDL12COMPAT_OPENGL_SCALING";

int32_t screenWidth = 0;  // the window as it is now
int32_t screenHeight = 0;
int32_t windowWidth = 0;  // the window when not full screen, as the player last sized it
int32_t windowHeight = 0;
int32_t fullWidth = 0;  // the full screen
int32_t fullHeight = 0;
bool fullScreen = false;
bool keepAspect = false;
// Full screen at the desktop's own size: no mode switch, and the picture kept 4:3.
bool atDesktop = false;
bool initialized = false;

// A player's own setting stands.
void leaveScalingToTheFramework() { setenv(LIBRARY_SCALING, "0", 0); }

// A window larger than the desktop shrinks to the largest 4:3 size that fits it.
void fitWindowToDesktop() {
    if (windowWidth <= fullWidth && windowHeight <= fullHeight) return;
    const ViewRect fit = Tolm_pictureRect(fullWidth, fullHeight, true);
    windowWidth = fit.w;
    windowHeight = fit.h;
}

void chooseSizes(int32_t width, int32_t height, bool fullScreenAtDesktop) {
    windowWidth = fullWidth = width;
    windowHeight = fullHeight = height;
    atDesktop = fullScreenAtDesktop && plat::desktopSize(fullWidth, fullHeight);
    if (atDesktop) fitWindowToDesktop();
    screenWidth = fullScreen ? fullWidth : windowWidth;
    screenHeight = fullScreen ? fullHeight : windowHeight;
}

// A new video mode at the size that fullScreen calls for, with the picture placed anew and
// the textures rebuilt where the driver lost them. False when the mode cannot be set.
bool switchVideoMode() {
    screenWidth = fullScreen ? fullWidth : windowWidth;
    screenHeight = fullScreen ? fullHeight : windowHeight;
    if (!plat::setVideoMode(screenWidth, screenHeight, fullScreen)) return false;
    plat::initView(screenWidth, screenHeight, Tolm_pictureRect());
    if (!plat::keptContext()) Tolm_reloadTextures();
    Tolm_setBlendMode(Tolm_blendMode());
    Tolm_noteChange();
    return true;
}

void openWindow(const std::string& caption, bool keepCursor) {
    if (!plat::setVideoMode(screenWidth, screenHeight, fullScreen)) {
        throw TolmError("Tolm_init: Couldn't set video mode");
    }
    if (fullScreen && !keepCursor) Tolm_toggleCursor();
    plat::initView(screenWidth, screenHeight, Tolm_pictureRect());
    plat::setCaption(caption);
    plat::setIcon(ICON_FILE);
}

// A machine without a working sound device still plays, in silence.
void openAudioOrPlaySilent() {
    const bool opened = plat::openAudio();
    Tolm_setAudioDevice(opened);
    if (opened && Tolm_isMuted()) plat::setMuted(true);
    if (!opened) Tolm_log("Tolm_init: no sound, playing in silence: %s\n", plat::errorText().c_str());
}

}  // namespace

void Tolm_init(const std::string& caption, int32_t width, int32_t height, bool fullscreen,
               bool keepCursor, bool keepPictureAspect, bool fullScreenAtDesktop) {
    if (initialized) return;
    // Delete the old log first, so that a failed start-up reports into a fresh file too.
    Tolm_resetLog();
    fullScreen = fullscreen;
    keepAspect = keepPictureAspect;
    Tolm_resetInput();
    Tolm_resetFrame();
    Tolm_resetIdle();
    leaveScalingToTheFramework();
    if (!plat::init()) throw TolmError("Tolm_init: Couldn't initialize SDL");
    chooseSizes(width, height, fullScreenAtDesktop);
    openWindow(caption, keepCursor);
    openAudioOrPlaySilent();
    Tolm_openJoysticks();
    Tolm_loadFont();
    plat::initGlState();
    initialized = true;
    Tolm_clearValues();
}

void Tolm_quit() {
    Tolm_destroyFont();
    Tolm_disposeTexture("");
    Tolm_closeJoysticks();
    Tolm_haltChannel(-1);
    Tolm_freeBgm();
    Tolm_disposeWAV("");
    Tolm_setMuted(false);
    Tolm_setMusicVolume(MAX_VOLUME_LEVEL);
    Tolm_setEffectsVolume(MAX_VOLUME_LEVEL);
    if (Tolm_hasAudioDevice()) plat::closeAudio();
    Tolm_setAudioDevice(true);
    plat::shutdown();
    // A later start-up in the same process (tests) begins from scratch.
    initialized = false;
}

void _toggleFullScreen() {
    fullScreen = !fullScreen;
    if (!switchVideoMode()) throw TolmError("_toggleFullScreen: Couldn't set video mode");
}

void Tolm_resizeWindow(int32_t width, int32_t height) {
    if (fullScreen) return;
    const int32_t w = std::max(width, 1);
    const int32_t h = std::max(height, 1);
    if (w == screenWidth && h == screenHeight) return;
    const int32_t oldWidth = windowWidth, oldHeight = windowHeight;
    windowWidth = w;
    windowHeight = h;
    if (switchVideoMode()) return;
    // A size the driver refuses leaves the window as it was.
    windowWidth = oldWidth;
    windowHeight = oldHeight;
    if (!switchVideoMode()) throw TolmError("Tolm_resizeWindow: Couldn't set video mode");
}

void Tolm_toggleCursor() {
    if (plat::showCursor(-1) == 1) {
        plat::showCursor(0);
    } else {
        plat::showCursor(1);
    }
}

void Tolm_screenShot() {
    const size_t row = 3 * static_cast<size_t>(screenWidth);
    std::vector<uint8_t> pixels = plat::readPixels(screenWidth, screenHeight);
    if (pixels.size() != row * static_cast<size_t>(screenHeight)) return;
    for (int32_t y = 0; y < screenHeight / 2; ++y) {
        uint8_t* top = pixels.data() + row * static_cast<size_t>(y);
        uint8_t* bottom = pixels.data() + row * static_cast<size_t>(screenHeight - 1 - y);
        std::swap_ranges(top, top + row, bottom);
    }
    plat::saveBmp24(SCREENSHOT_FILE, screenWidth, screenHeight, pixels);
}

void Tolm_setFullScreen(bool on) {
    if (on != fullScreen) _toggleFullScreen();
}

void Tolm_setKeepAspect(bool keep) {
    if (keep == keepAspect) return;
    keepAspect = keep;
    plat::initView(screenWidth, screenHeight, Tolm_pictureRect());
    Tolm_noteChange();
}

bool Tolm_keepsAspect() { return keepAspect; }
int32_t Tolm_windowWidth() { return windowWidth; }
int32_t Tolm_windowHeight() { return windowHeight; }
int32_t Tolm_screenWidth() { return screenWidth; }
int32_t Tolm_screenHeight() { return screenHeight; }
bool Tolm_isFullScreen() { return fullScreen; }
ViewRect Tolm_pictureRect() {
    return Tolm_pictureRect(screenWidth, screenHeight, keepAspect || (fullScreen && atDesktop));
}
