// The framework's own workings and test hooks: included by tolm2 and the tests, never by scenes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tolm2/image.h"
#include "tolm2/texture.h"
#include "tolm2/viewport.h"

namespace plat {
struct WindowEvents;
}

inline constexpr const char* ICON_FILE = "resource/ico.bmp";
inline constexpr const char* SCREENSHOT_FILE = "tolmshot.bmp";

// ---- Start-up and the window (system.cpp) ----

// F9: full screen, or back to the window at the size it had; textures are rebuilt and the
// blend mode applied again. Throws "_toggleFullScreen: Couldn't set video mode".
void _toggleFullScreen();
// Tolm_wait, when the player resized the window: follows the new size (below 1 counts as
// 1); ignored in full screen. A size the driver refuses keeps the old one. Throws
// "Tolm_resizeWindow: Couldn't set video mode" only when not even that can be set again.
void Tolm_resizeWindow(int32_t width, int32_t height);
// F10, and a full-screen start-up that does not keep the cursor.
void Tolm_toggleCursor();
// Writes the window's pixels at the window's size to "tolmshot.bmp" as a 24-bit BMP, top
// row first. Tolm_flip calls it for F12 between putting the frame on the window and the
// swap, while the back buffer still holds that frame.
void Tolm_screenShot();

int32_t Tolm_screenWidth();
int32_t Tolm_screenHeight();
// Where the picture sits in the window; the mouse maps through the same rectangle.
ViewRect Tolm_pictureRect();

// Deletes "run.log" so that each run starts a fresh log, and tries the file again;
// Tolm_init calls it first.
void Tolm_resetLog();

// Sets every slot of the shared table to 0; Tolm_init calls it.
void Tolm_clearValues();
// Seeds the process-wide generator. It is seeded from the high-resolution clock
// before first use; tests call this for repeatable games.
void Tolm_seedRandom(uint32_t seed);

// ---- Frame pacing (frame.cpp) ----

// The meters' arithmetic, apart from the clock so it can be tested on its own.
class FrameMeter {
public:
    // Called once per frame after the wait, with the work time of the frame that ended
    // and the tick count at the end of the wait.
    void addFrame(uint32_t busyMs, uint32_t now, int32_t period);
    int32_t fps() const { return fps_; }
    int32_t cpu() const { return cpu_; }

private:
    // 64 bits: a long stall (a suspended laptop) must not overflow the product below.
    int64_t busyTime = 0;
    int64_t frameCounter = 0;
    uint32_t lastSecondTick = 0;
    int32_t fps_ = 0;
    int32_t cpu_ = 0;
};

// Forgets pacing and meter state; Tolm_init calls it, and so do tests.
void Tolm_resetFrame();

// ---- Raw input (input.cpp) ----

// One joystick slot: the open device (if any) and two samples of its buttons and axes.
class Joystick {
public:
    int16_t prevX = 0, prevY = 0, curX = 0, curY = 0;
    uint8_t prevHat = 0, curHat = 0;  // the first hat's direction bits
    std::vector<bool> prevButtons, curButtons;
    int handle = -1;  // platform joystick index; -1 when the slot is empty
    int32_t buttonCount = 0;

    bool open() const { return handle >= 0; }
};

// Scales a pixel offset into a picture windowSize pixels across to the logical axis,
// rounding down (negative offsets included); a zero window size maps to 0.
int32_t Tolm_toLogical(int32_t pixel, int32_t windowSize, int32_t logicalSize);

// Called by Tolm_init, Tolm_wait and Tolm_quit.
void Tolm_openJoysticks();
void Tolm_closeJoysticks();
void Tolm_sampleInput();
// Forgets every sample and slot; a fresh process state for Tolm_init and tests.
void Tolm_resetInput();
// The slot for tests; throws "Tolm_joystick: no slot <n>" outside 0..JOY_SLOTS-1.
Joystick& Tolm_joystick(int slot);

// ---- Drawing, textures and text (draw.cpp, texture.cpp, font.cpp) ----

// The blend mode last set; a switch of video mode applies it again.
int32_t Tolm_blendMode();

// One picture uploaded to the GPU, remembering its file and mask so it can be rebuilt.
class Texture {
public:
    // No colour key.
    explicit Texture(const std::string& file);
    // Colour key (c0, c1, c2).
    Texture(const std::string& file, int32_t c0, int32_t c1, int32_t c2);
    // Colour key = the pixel at (px, py), when that lies inside the picture.
    Texture(const std::string& file, int32_t px, int32_t py);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const std::string& getFileName() const { return fileName; }
    const Mask& getMask() const { return mask; }
    // The platform's handle of the uploaded picture.
    uint32_t getId() const { return id; }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    const Image& getImage() const { return image; }

private:
    // Reads the BMP; throws "Tolm_Texture::loadBmp : not found file: <file>".
    Image loadBmp(const std::string& file);
    void create(Image picture);

    uint32_t id = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::string fileName;
    Mask mask = MASK_NONE;
    Image image;
};

// Rebuilds the font and every stored texture from their files (F4, video mode change).
void Tolm_reloadTextures();
// The stored texture under key, or nullptr. For the font and for tests.
const Texture* Tolm_findTexture(const std::string& key);

// Cell index of a byte in FONT_CHARS, or -1.
int glyphIndex(unsigned char c);

// One drawn cell of a line of text: its left edge and its glyph's cell index.
struct GlyphCell {
    int32_t x;
    int glyph;
};

// Lays out text from x: bytes above 0x7F are dropped, the space and unknown bytes
// advance an empty cell, every other byte gets a cell; each step is trunc(scale * 8).
std::vector<GlyphCell> layoutText(const std::string& text, int32_t x, float scale);

// The font texture; built by Tolm_init and rebuilt by Tolm_reloadTextures.
void Tolm_loadFont();
void Tolm_destroyFont();

// ---- Sound (sound.cpp) ----

// Tolm_init, after trying the audio device: without one the game plays in silence, and
// every sound call still checks its key or file but sends nothing to the device.
void Tolm_setAudioDevice(bool open);
bool Tolm_hasAudioDevice();
// Halts and frees the music; Tolm_quit calls it.
void Tolm_freeBgm();

// ---- The idle rule (idle.cpp) ----

// Tolm_wait, before its deadline: whether the frame that ends is idle, so the wait goes on
// sleeping until an event comes. Never right after a frame whose events held a press.
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
