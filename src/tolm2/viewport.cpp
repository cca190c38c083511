// Where the fixed 640 x 480 picture sits in the window: stretched over it, or kept 4:3.
#include "tolm2/viewport.h"

#include <algorithm>

#include "tolm2/draw.h"

ViewRect Tolm_pictureRect(int32_t width, int32_t height, bool keepAspect) {
    const int32_t w = std::max(width, 1);
    const int32_t h = std::max(height, 1);
    if (!keepAspect) return {0, 0, w, h};
    // 64-bit: a height near the top of int32_t times 4 must not wrap.
    int64_t pictureW = w, pictureH = h;
    if (int64_t{w} * LOGICAL_HEIGHT >= int64_t{h} * LOGICAL_WIDTH) {
        pictureW = int64_t{h} * LOGICAL_WIDTH / LOGICAL_HEIGHT;
    } else {
        pictureH = int64_t{w} * LOGICAL_HEIGHT / LOGICAL_WIDTH;
    }
    const int32_t pw = static_cast<int32_t>(std::max<int64_t>(pictureW, 1));
    const int32_t ph = static_cast<int32_t>(std::max<int64_t>(pictureH, 1));
    return {(w - pw) / 2, (h - ph) / 2, pw, ph};
}
