// The platform contract: every SDL, SDL_mixer and OpenGL call the framework needs.
//
// Three implementations link against it: platform/sdl (the real window, GL and mixer),
// platform/web (the page in a browser) and platform/null (a headless recorder for tests). Only tolm2 calls these functions; each
// declaration says which framework operation calls it and when.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tolm2/image.h"
#include "tolm2/viewport.h"

namespace plat {

// ---- System and window (Tolm_init, Tolm_quit, function keys) ----

// Tolm_init, first of the platform calls: starts video (false when it fails) and, where
// they can, joysticks.
bool init();
// Tolm_quit, last: shuts the platform down. Safe to call after a failed init.
void shutdown();
// Tolm_init, after init, and _toggleFullScreen: a double-buffered GL window. False on failure.
bool setVideoMode(int32_t width, int32_t height, bool fullscreen);
// Tolm_init and _toggleFullScreen, after each setVideoMode, and Tolm_setKeepAspect when
// the picture's rectangle alone changes, before a frame is drawn: black clear colour, and
// from now on every frame is drawn into a 640 x 480 picture that present() puts into
// picture, a rectangle of the width x height window (outside it, black). Where that needs
// an off-screen target the driver cannot give, the frame is drawn straight into picture
// instead; nothing fails.
void initView(int32_t width, int32_t height, const ViewRect& picture);
// Tolm_init, last, once the font is loaded: texturing, colour material, lighting and
// culling off; blending on.
void initGlState();
// Tolm_init, after the window opens.
void setCaption(const std::string& caption);
// Tolm_init, after the caption: a missing or unreadable file leaves the default icon.
void setIcon(const std::string& bmpFile);
// F5.
void iconify();
// Tolm_toggleCursor: query (-1), hide (0) or show (1); returns the state after the call
// (1 shown, 0 hidden).
int showCursor(int toggle);
// Tolm_flip, first: puts the finished picture on the window's back buffer, scaled into
// its rectangle in one unblended, nearest-filtered pass. Until swapBuffers, readPixels
// reads the window as it is about to be shown.
void present();
// Tolm_flip, last: shows the back buffer, whose contents are undefined afterwards, and
// makes the picture the drawing target again.
void swapBuffers();
// The last error text of the platform, for messages ("Tolm_init: <text>").
std::string errorText();

// ---- Time (Tolm_wait) ----

// Milliseconds since init.
uint32_t ticks();
// Sleeps for ms milliseconds, or a little longer; Tolm_wait passes what is left of its
// frame, and sleeps again if it wakes early.
void delay(uint32_t ms);

// ---- Events and input (Tolm_wait, input queries) ----

// Tolm_wait, after the input is sampled: drains the event queue; true when a quit (window
// close) was among them.
bool pollQuit();
// Tolm_wait, right after pollQuit: whether the window lost the keyboard focus or was
// iconified since the last call. An event, not a state: a window that never had the
// focus (no window manager gave it) reports nothing. The playing scene pauses on it.
bool takeFocusLoss();
// Tolm_wait, when it samples the input after its sleep: the mouse button mask (bit 0 left,
// 1 middle, 2 right).
uint8_t mouseButtons();
// Tolm_mouseX/Y: the pointer in window pixels as of the last event pump.
void mousePosition(int32_t& x, int32_t& y);
// Tolm_wait, when it samples the input: down[i] = key symbol i is down, for i < count.
void keyboardState(bool* down, int count);
// Tolm_init, after the audio, and Tolm_quit: joysticks attached at start-up.
int numJoysticks();
// Opens joystick index; false (with errorText) when no handle comes back.
bool joystickOpen(int index);
int joystickNumButtons(int index);
void joystickClose(int index);
// Tolm_wait, when it samples the input: refreshes every open joystick, then reads one
// button or axis.
void joystickUpdate();
bool joystickButton(int index, int button);
int16_t joystickAxis(int index, int axis);
// Tolm_wait, when it samples the input, beside the axes: the first hat of joystick index as direction bits
// (HAT_UP, HAT_RIGHT, HAT_DOWN, HAT_LEFT); 0 for a joystick without a hat.
inline constexpr uint8_t HAT_UP = 1, HAT_RIGHT = 2, HAT_DOWN = 4, HAT_LEFT = 8;
uint8_t joystickHat(int index);

// ---- Pictures (textures, screenshot) ----

// Texture::loadBmp: reads a BMP as 32-bit RGBA with A = 255. False when unreadable.
bool loadBmp(const std::string& file, Image& out);
// Tolm_screenShot: writes rows of R, G, B bytes, top row first, as a 24-bit BMP.
bool saveBmp24(const std::string& file, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb);
// Tolm_screenShot, between present and swapBuffers: the window's pixels as R, G, B bytes,
// bottom row first (GL order).
std::vector<uint8_t> readPixels(int32_t width, int32_t height);

// ---- Drawing (Tolm_clear, Tolm_begin2D, blend modes, textures, text, boxes) ----

void clear();
// Tolm_begin2D: projection = ortho 640 x 480, y down; model-view identity; culling off.
void begin2D();
// Tolm_setBlendMode: modes 0..5 as BlendMode; other values are not passed.
void setBlend(int32_t mode);
// Texture::create: uploads the picture for nearest-filtered drawing; returns a handle
// (never 0) that drawing calls name it by. A picture's texture coordinates run 0..1
// across the picture itself, however the layer stores it.
uint32_t createTexture(const Image& image);
void deleteTexture(uint32_t id);

// Tolm_drawTexture: one textured quad of w x h logical units, top-left at (x, y), turned
// by angle degrees about its centre, texture rectangle (s0, t0)-(s0+ds, t0+dt).
struct TexturedQuad {
    uint32_t texture;
    float x, y, w, h, angle;
    float s0, t0, ds, dt;
    uint8_t r, g, b, a;
};
void drawTexturedQuad(const TexturedQuad& quad);

// Tolm_drawText: one line of cells of the font texture. The text is passed through so
// that the headless recorder can keep it; the real layer draws only the cells.
struct GlyphRun {
    uint32_t texture;
    std::string text;
    int32_t y;
    float cell;    // cell side in logical units
    float cs, ct;  // cell side in texture coordinates
    struct Cell {
        int32_t x;
        int glyph;
    };
    std::vector<Cell> cells;
    uint8_t r, g, b, a;
};
void drawGlyphRun(const GlyphRun& run);

// Tolm_drawBox: filled (lineWidth <= 0) or outlined rectangle, turned about its centre
// by angle degrees with the integer half sizes of the original.
struct Box {
    int32_t x, y, w, h, lineWidth;
    float angle;
    uint8_t r, g, b, a;
};
void drawBox(const Box& box);

// ---- Sound (Tolm_loadWAV .. Tolm_stopBgm) ----

// Tolm_init, once the window is open: starts audio at 22050 Hz, signed 16-bit, stereo,
// 1024-sample chunks.
// False, with errorText naming the reason, when there is no usable device; the framework
// then plays in silence and calls no other sound function of this layer.
bool openAudio();
// Tolm_quit, only after a successful openAudio.
void closeAudio();
// Returns a sample handle (>0), or 0 with errorText set.
int loadSample(const std::string& file);
void freeSample(int sample);
void playSample(int sample, int32_t loops, int32_t channel);
void haltChannel(int32_t channel);
// Loads the music; false with errorText set.
bool loadMusic(const std::string& file);
// Starts the loaded music at once (fadeInMs <= 0) or faded in; false with errorText set.
bool playMusic(int32_t loops, int32_t fadeInMs);
void fadeOutMusic(int32_t ms);
// Tolm_pauseBgm / Tolm_resumeBgm (the playing scene's pause): the music stops where it is
// and later goes on from there.
void pauseMusic();
void resumeMusic();
// Tolm_setMuted (the M key): every channel and the music at volume 0, or back at the
// volumes last set by setMusicVolume and setEffectsVolume.
void setMuted(bool muted);
// Volumes run from 0 (silent) to MAX_VOLUME (full: SDL_mixer's MIX_MAX_VOLUME, the
// loudness of a run that never set one); openAudio starts both at MAX_VOLUME, not muted.
inline constexpr int32_t MAX_VOLUME = 128;
// Tolm_setMusicVolume (the options screen, and the scene loop's start-up when a volume
// was saved), only after a successful openAudio: the music's volume from now on, also for
// music started later; a fade scales it. While muted it is kept and heard on unmute.
void setMusicVolume(int32_t volume);
// Tolm_setEffectsVolume, as setMusicVolume: the volume of every sample channel, for the
// samples playing now and those played later.
void setEffectsVolume(int32_t volume);
void haltMusic();
void freeMusic();

// ---- The window's own changes and the idle wait (Tolm_init, Tolm_wait) ----
// A window that is not full screen can be resized by its border.

// Tolm_init, after init and before the first setVideoMode: the desktop's size in pixels,
// for a full screen without a mode switch. False when the platform cannot tell.
bool desktopSize(int32_t& width, int32_t& height);
// Tolm_init, _toggleFullScreen and a resize, right after setVideoMode: whether the GL
// objects made before it (textures) survived. False when the driver made a new context.
bool keptContext();
// Tolm_wait, after the frame's deadline while the game is idle: sleeps until the next
// event (input, expose, resize, focus) arrives, waking within a frame of gamepad input.
// pollQuit then drains it with the rest.
void waitForEvent();
// What the events drained by the last pollQuit asked of the window.
struct WindowEvents {
    bool resized = false;  // the player resized the window; the last size asked for:
    int32_t width = 0, height = 0;
    bool redraw = false;     // exposed, a key or button, a focus change: show it again
    bool pressed = false;    // a key or button went down: the window is in use
    bool iconified = false;  // the window was iconified ...
    bool restored = false;   // ... or shown again; restored wins when both came
};
// Tolm_wait, after pollQuit: the window events since the last call, then forgets them.
WindowEvents takeWindowEvents();

// ---- The player's files and the program's place (safe_file, scenes through tolm2) ----

// safe_file::Lock, once its own lock is taken (or failed), until releasePlayerFiles from
// its destructor: keeps every other copy of the game out of the player's files and brings
// in what they saved, so that the read-again-and-save sees their work. Holds nest. The
// desktop's flock already does this: there it does nothing.
void holdPlayerFiles();
void releasePlayerFiles();
// safe_file::replace and every append to a player file, after the write: the change
// reaches lasting storage before the call returns (inside a hold, by the release at the
// latest). Where there is no lasting storage it does nothing; keepsPlayerFiles says so.
void playerFilesChanged();
// The title, each time it is shown: false where saved files will not outlast the
// program (a browser that refuses or has filled its storage).
bool keepsPlayerFiles();
// Tolm_wait, on Escape: whether the program may end itself. False in a page, which cannot
// close: Escape then only leaves the scene it is in.
bool canQuit();
// The scores screen: whether offerFile hands a file to the player (a download). The
// desktop's files are already the player's own: there it is false.
bool canOfferFiles();
// The scores screen, on D or a click on its line: hands the file to the player under its
// own name (without its folder). False when the file cannot be read or nothing was handed.
bool offerFile(const std::string& file);
// The title, each frame: the path of a watch file the player has handed to the program
// since the last call (dropped on the page or chosen), or empty. The desktop takes watch
// files on its command line only: there it is always empty.
std::string takeHandedFile();

}  // namespace plat
