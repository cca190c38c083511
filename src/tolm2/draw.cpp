// Frame set-up in the logical space, blend modes and plain rectangles.
#include "tolm2/draw.h"

#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"
#include "tolm2/system.h"

namespace {
int32_t blendMode = BLEND_NONE;

uint8_t channel(int value) { return static_cast<uint8_t>(value); }
}  // namespace

void Tolm_clear() { plat::clear(); }

void Tolm_begin2D() { plat::begin2D(); }

void Tolm_setBlendMode(int32_t mode) {
    blendMode = mode;
    if (mode >= BLEND_NONE && mode <= BLEND_MUL) plat::setBlend(mode);
}

int32_t Tolm_blendMode() { return blendMode; }

void Tolm_drawBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t lineWidth, float angle,
                  int r, int g, int b, int a) {
    if (w == 0 || h == 0) {
        w = Tolm_screenWidth();
        h = Tolm_screenHeight();
    }
    plat::drawBox({x, y, w, h, lineWidth, angle, channel(r), channel(g), channel(b), channel(a)});
}
