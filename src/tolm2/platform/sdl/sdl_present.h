// Internal to the SDL platform: the picture target's hook for the window side.
#pragma once

namespace plat {
// Deletes the 640 x 480 picture target while its GL context is still alive: the window
// calls it before a mode change and at shutdown. Does nothing when there is none.
void releasePicture();
}  // namespace plat
