// Where the fixed 640 x 480 picture sits in the window: stretched over it, or kept 4:3.
#pragma once

#include <cstdint>

// A rectangle in window pixels, origin top-left, y down.
struct ViewRect {
    int32_t x = 0, y = 0, w = 0, h = 0;

    bool operator==(const ViewRect& o) const {
        return x == o.x && y == o.y && w == o.w && h == o.h;
    }
    bool operator!=(const ViewRect& o) const { return !(*this == o); }
};

// The picture's rectangle in a width x height window (a size below 1 counts as 1): the
// whole window, or with keepAspect the largest 4:3 rectangle that fits, centred, with
// bars beside or above it. Never smaller than 1 x 1. Tolm_init and _toggleFullScreen use
// it for the drawing and the mouse alike.
ViewRect Tolm_pictureRect(int32_t width, int32_t height, bool keepAspect);
