// Showing and hiding the mouse cursor, by a blank cursor rather than SDL_ShowCursor.
//
// sdl12-compat turns a hidden cursor in a grabbed (full-screen) window into SDL 2's
// relative mouse mode: the pointer then moves only by raw deltas, and an absolute
// pointer (a tablet, a touch screen, a virtual machine's or a remote desktop's pointer,
// xdotool) no longer moves the game's pointer at all. The game wants where the pointer
// is, so it keeps the cursor "shown" and makes it invisible.
#include <SDL.h>

#include "tolm2/platform/platform.h"
#include "tolm2/platform/sdl/sdl_cursor.h"

namespace {
// 8 x 1 pixels, all transparent: both data and mask 0.
constexpr int BLANK_WIDTH = 8;
constexpr int BLANK_HEIGHT = 1;
Uint8 blankBits[BLANK_WIDTH / 8 * BLANK_HEIGHT] = {};

SDL_Cursor* blank = nullptr;
SDL_Cursor* libraryCursor = nullptr;  // the library's own cursor, put back to show
bool hidden = false;

bool hide() {
    if (blank == nullptr) {
        libraryCursor = SDL_GetCursor();
        blank = SDL_CreateCursor(blankBits, blankBits, BLANK_WIDTH, BLANK_HEIGHT, 0, 0);
    }
    if (blank == nullptr) return false;
    SDL_SetCursor(blank);
    return true;
}
}  // namespace

namespace plat {

int showCursor(int toggle) {
    if (toggle == 0 && !hidden) {
        hidden = hide();
    } else if (toggle == 1 && hidden) {
        SDL_SetCursor(libraryCursor);
        hidden = false;
    }
    return hidden ? 0 : 1;
}

void releaseCursor() {
    if (blank != nullptr) {
        if (hidden) SDL_SetCursor(libraryCursor);
        SDL_FreeCursor(blank);
    }
    blank = nullptr;
    libraryCursor = nullptr;
    hidden = false;
}

}  // namespace plat
