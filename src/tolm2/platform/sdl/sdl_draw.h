// Internal to the SDL platform: the drawing side's hook for the window side.
#pragma once

namespace plat {
// Sends the quads drawn so far to GL; the window calls it before a swap or a mode change.
void flushDrawing();
// A new video mode brings a new GL context in its default state; the window calls this
// after the switch.
void forgetDrawingState();
}  // namespace plat
