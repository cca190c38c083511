// Internal to the SDL platform: the drawing side's hooks for the window side.
#pragma once

namespace plat {
// Sends the quads drawn so far to GL; the window calls it before a swap or a mode change.
void flushDrawing();
// The window calls this after each switch of video mode. A new GL context (contextKept
// false) starts in its default state with no textures; a kept one keeps its textures.
void forgetDrawingState(bool contextKept);
// A window's rows run top-down in memory, a texture's bottom-up. Drawing into a texture
// with rowsUp makes the top logical row its first, so that every pixel is rasterized
// exactly as in a window; the window side flips it back when it shows the picture.
// Takes effect at the next begin2D.
void setPictureRowsUp(bool rowsUp);
}  // namespace plat
