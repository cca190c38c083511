// The browser platform: start-up, the canvas's GL context, time and sleeping.
//
// The canvas keeps a 640 x 480 drawing buffer that the page's style scales into the
// window at 4:3 between black bars, so the picture is always the whole "window" and
// clicks map through the page's own arithmetic. Full screen is the page's: F9 and the
// page's button switch it in the page itself; the options screen's switch asks here.
#include <SDL.h>
#include <emscripten.h>
#include <sys/stat.h>
#include <GL/gl.h>

#include "tolm2/draw.h"
#include "tolm2/platform/platform.h"
#include "tolm2/platform/sdl/sdl_draw.h"
#include "tolm2/platform/web/web_calls.h"

namespace {
double startedAt = 0;
bool started = false;
bool contextMade = false;
}  // namespace

namespace plat {

bool init() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    if (!started) {
        started = true;
        // Emscripten's C library starts with every permission masked, which would save
        // files that no one may read again; a desktop's usual mask instead.
        ::umask(022);
        kv_start();
        kv_files_open();
    }
    startedAt = emscripten_get_now();
    return true;
}

void shutdown() { SDL_Quit(); }

bool desktopSize(int32_t& width, int32_t& height) {
    width = LOGICAL_WIDTH;
    height = LOGICAL_HEIGHT;
    return true;
}

// The canvas's context lives as long as the page.
bool keptContext() { return contextMade; }

// The canvas keeps its size; full screen is the page's, asked of the browser.
bool setVideoMode(int32_t, int32_t, bool fullscreen) {
    flushDrawing();
    kv_set_full_screen(fullscreen ? 1 : 0);
    if (contextMade) return true;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    if (SDL_SetVideoMode(LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, SDL_OPENGL) == nullptr) return false;
    forgetDrawingState(false);
    contextMade = true;
    return true;
}

void initGlState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
}

void setCaption(const std::string& caption) { kv_set_title(caption.c_str()); }

// The page's own icon stands.
void setIcon(const std::string&) {}

// A page cannot iconify its window; the framework still pauses a game for F5.
void iconify() {}

int showCursor(int toggle) {
    static int shown = 1;
    if (toggle == 0 || toggle == 1) {
        shown = toggle;
        kv_show_cursor(shown);
    }
    return shown;
}

std::string errorText() { return SDL_GetError(); }

uint32_t ticks() { return static_cast<uint32_t>(emscripten_get_now() - startedAt); }

void delay(uint32_t ms) { kv_sleep(ms); }

}  // namespace plat
