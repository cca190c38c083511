// Internal to the SDL platform: the hidden cursor's hook for the window side.
#pragma once

namespace plat {
// Frees the blank cursor that hides the pointer; shutdown calls it before SDL_Quit.
// Does nothing when the cursor was never hidden.
void releaseCursor();
}  // namespace plat
