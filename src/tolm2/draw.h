// Drawing set-up: the 640 x 480 logical space, blend modes and plain rectangles.
#pragma once

#include <cstdint>

inline constexpr int LOGICAL_WIDTH = 640;
inline constexpr int LOGICAL_HEIGHT = 480;

enum BlendMode : int32_t {
    BLEND_NONE = 0,
    BLEND_ALPHA = 1,
    BLEND_ADD = 2,
    BLEND_INVERT = 3,
    BLEND_ALPHA_MUL = 4,
    BLEND_MUL = 5,
};

// A scene's draw begins with these three, in this order.
void Tolm_clear();
void Tolm_begin2D();
// Unknown modes change no GL state; the mode is stored either way and applied
// again after a switch of video mode.
void Tolm_setBlendMode(int32_t mode);

// A rectangle at (x, y); filled when lineWidth <= 0, else outlined. w or h 0 means the
// window's size. Turned by angle degrees about its centre.
void Tolm_drawBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t lineWidth, float angle,
                  int r, int g, int b, int a);
