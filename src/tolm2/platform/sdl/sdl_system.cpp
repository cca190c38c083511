// The real platform: SDL start-up, the GL window, time, events and raw input.
#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <array>

#include "tolm2/platform/platform.h"
#include "tolm2/platform/sdl/sdl_cursor.h"
#include "tolm2/platform/sdl/sdl_draw.h"
#include "tolm2/platform/sdl/sdl_present.h"

namespace {
std::array<SDL_Joystick*, 4> joysticks{};
bool focusLost = false;
bool quitPending = false;
plat::WindowEvents windowEvents;
// A texture made in each new GL context: if it is still there after a mode change, the
// context, and every texture with it, survived.
GLuint contextProbe = 0;
bool contextKept = false;

bool isFocusLoss(const SDL_ActiveEvent& active) {
    return active.gain == 0 && (active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
}

void noteActive(const SDL_ActiveEvent& active) {
    if (isFocusLoss(active)) focusLost = true;
    windowEvents.redraw = true;
    if ((active.state & SDL_APPACTIVE) == 0) return;
    if (active.gain != 0) {
        windowEvents.restored = true;
    } else {
        windowEvents.iconified = true;
    }
}

void noteEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: quitPending = true; break;
        case SDL_ACTIVEEVENT: noteActive(event.active); break;
        case SDL_VIDEORESIZE:
            windowEvents.resized = true;
            windowEvents.width = event.resize.w;
            windowEvents.height = event.resize.h;
            break;
        case SDL_KEYDOWN:
        case SDL_MOUSEBUTTONDOWN:
            windowEvents.pressed = true;
            windowEvents.redraw = true;
            break;
        case SDL_KEYUP:
        case SDL_MOUSEBUTTONUP:
        case SDL_VIDEOEXPOSE: windowEvents.redraw = true; break;
        default: break;
    }
}

// A new mode makes sdl12-compat report the window's new size as if the player had resized
// it, sometimes the size being left first: those are echoes of this switch, not requests.
void forgetOwnResizes() {
    SDL_PumpEvents();
    SDL_Event stale[16];
    while (SDL_PeepEvents(stale, 16, SDL_GETEVENT, SDL_VIDEORESIZEMASK) > 0) {
    }
    windowEvents.resized = false;
}

// Right after a mode change: whether the probe of the old context is still a texture.
void checkContext() {
    contextKept = contextProbe != 0 && glIsTexture(contextProbe) == GL_TRUE;
    if (contextKept) return;
    glGenTextures(1, &contextProbe);
    glBindTexture(GL_TEXTURE_2D, contextProbe);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// SDL's own event wait wakes every 10 ms to look; idle, the game sleeps on the X
// connection instead. Gamepads do not wake that, so with one open it looks once a frame;
// a quit from a signal can land on another thread, so it looks now and then anyway.
constexpr int GAMEPAD_LOOK_MS = 16;
constexpr int QUIET_LOOK_MS = 100;

// The X connection's descriptor, or -1 where the video driver has none.
int displayDescriptor() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return -1;
    return ConnectionNumber(info.info.x11.display);
}

bool gamepadOpen() {
    return std::any_of(joysticks.begin(), joysticks.end(),
                       [](const SDL_Joystick* joystick) { return joystick != nullptr; });
}

SDL_Joystick* joystickAt(int index) {
    if (index < 0 || index >= static_cast<int>(joysticks.size())) return nullptr;
    return joysticks[static_cast<size_t>(index)];
}
}  // namespace

namespace plat {

// Only video is essential: sound and joysticks start on their own, so that a machine
// without them still plays.
bool init() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    return true;
}

void shutdown() {
    releasePicture();
    releaseCursor();
    SDL_Quit();
    contextProbe = 0;
    quitPending = false;
    windowEvents = WindowEvents();
}

bool desktopSize(int32_t& width, int32_t& height) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info == nullptr || info->current_w < 1 || info->current_h < 1) return false;
    width = info->current_w;
    height = info->current_h;
    return true;
}

bool keptContext() { return contextKept; }

bool setVideoMode(int32_t width, int32_t height, bool fullscreen) {
    flushDrawing();
    releasePicture();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Nothing is depth-tested: without depth or stencil buffers software GL can copy the
    // picture onto the window along its fast path.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    const Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : SDL_RESIZABLE);
    const bool opened = SDL_SetVideoMode(width, height, 0, flags) != nullptr;
    if (opened) checkContext();
    forgetOwnResizes();
    forgetDrawingState(opened && contextKept);
    return opened;
}

void initGlState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
}

void setCaption(const std::string& caption) { SDL_WM_SetCaption(caption.c_str(), nullptr); }

void setIcon(const std::string& bmpFile) {
    // SDL keeps using the icon surface, so it is never freed.
    SDL_Surface* icon = SDL_LoadBMP(bmpFile.c_str());
    if (icon != nullptr) SDL_WM_SetIcon(icon, nullptr);
}

void iconify() { SDL_WM_IconifyWindow(); }

std::string errorText() { return SDL_GetError(); }

uint32_t ticks() { return SDL_GetTicks(); }

void delay(uint32_t ms) { SDL_Delay(ms); }

bool pollQuit() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) noteEvent(event);
    const bool quit = quitPending;
    quitPending = false;
    return quit;
}

void waitForEvent() {
    SDL_Event event;
    const int display = displayDescriptor();
    if (display < 0) {
        if (SDL_WaitEvent(&event) == 1) noteEvent(event);
        return;
    }
    // Polling first drains what Xlib has already read, which the descriptor would not show.
    while (SDL_PollEvent(&event) == 0) {
        pollfd readable{display, POLLIN, 0};
        poll(&readable, 1, gamepadOpen() ? GAMEPAD_LOOK_MS : QUIET_LOOK_MS);
    }
    noteEvent(event);
}

WindowEvents takeWindowEvents() {
    const WindowEvents events = windowEvents;
    windowEvents = WindowEvents();
    return events;
}

bool takeFocusLoss() {
    const bool lost = focusLost;
    focusLost = false;
    return lost;
}

uint8_t mouseButtons() { return SDL_GetMouseState(nullptr, nullptr); }

void mousePosition(int32_t& x, int32_t& y) {
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    x = mx;
    y = my;
}

void keyboardState(bool* down, int count) {
    int known = 0;
    const Uint8* keys = SDL_GetKeyState(&known);
    for (int i = 0; i < count; ++i) down[i] = i < known && keys[i] == 1;
}

int numJoysticks() { return SDL_NumJoysticks(); }

bool joystickOpen(int index) {
    if (index < 0 || index >= static_cast<int>(joysticks.size())) return false;
    joysticks[static_cast<size_t>(index)] = SDL_JoystickOpen(index);
    return joysticks[static_cast<size_t>(index)] != nullptr;
}

int joystickNumButtons(int index) {
    SDL_Joystick* joy = joystickAt(index);
    return joy == nullptr ? 0 : SDL_JoystickNumButtons(joy);
}

void joystickClose(int index) {
    SDL_Joystick* joy = joystickAt(index);
    if (joy == nullptr) return;
    SDL_JoystickClose(joy);
    joysticks[static_cast<size_t>(index)] = nullptr;
}

void joystickUpdate() { SDL_JoystickUpdate(); }

bool joystickButton(int index, int button) {
    SDL_Joystick* joy = joystickAt(index);
    return joy != nullptr && SDL_JoystickGetButton(joy, button) == 1;
}

int16_t joystickAxis(int index, int axis) {
    SDL_Joystick* joy = joystickAt(index);
    return joy == nullptr ? 0 : SDL_JoystickGetAxis(joy, axis);
}

// SDL's hat bits are the contract's.
uint8_t joystickHat(int index) {
    SDL_Joystick* joy = joystickAt(index);
    if (joy == nullptr || SDL_JoystickNumHats(joy) < 1) return 0;
    const uint8_t all = HAT_UP | HAT_RIGHT | HAT_DOWN | HAT_LEFT;
    return static_cast<uint8_t>(SDL_JoystickGetHat(joy, 0) & all);
}

}  // namespace plat
