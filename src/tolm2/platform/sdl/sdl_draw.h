// Internal to the SDL platform: the drawing side's hooks for the window side.
#pragma once

namespace plat {
// Sends the quads drawn so far to GL; the window calls it before a swap or a mode change.
void flushDrawing();
// A new video mode brings a new GL context in its default state; the window calls this
// after the switch.
void forgetDrawingState();
// A window's rows run top-down in memory, a texture's bottom-up. Drawing into a texture
// with rowsUp makes the top logical row its first, so that every pixel is rasterized
// exactly as in a window; the window side flips it back when it shows the picture.
// Takes effect at the next begin2D.
void setPictureRowsUp(bool rowsUp);
}  // namespace plat
