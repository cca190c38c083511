// The game's icon: drawn at any size, for the window (32 px) and the desktop's menus.
#include <algorithm>
#include <cmath>

#include "cards.h"
#include "font.h"
#include "resources.h"

namespace resgen {

namespace {

constexpr double DESIGN_SIZE = 32.0;  // the icon is laid out on a 32-unit square

// Top-left of a card of the given scale whose centre is at (cx, cy).
Placement centredCard(double cx, double cy, double scale, double degrees) {
    const double half = CARD_SIZE * scale / 2;
    return {cx - half, cy - half, scale, degrees};
}

}  // namespace

Canvas makeIcon(int size) {
    const double k = size / DESIGN_SIZE;
    const double middle = size / 2.0;
    Canvas c(size, size, Rgb{14, 18, 44});
    c.fill(0, 0, size, size, [](double, double) { return true; }, [=](double x, double y) {
        const double t = std::hypot(x - middle, y - middle) / (22.0 * k);
        return mix(Rgb{46, 62, 150}, Rgb{10, 12, 36}, std::min(1.0, t));
    });
    paintCard(c, centredCard(11.0 * k, 12.5 * k, 0.66 * k, -18), 2, -1);
    paintCard(c, centredCard(19.5 * k, 18.5 * k, 0.75 * k, 0), 0, -1);
    // The game's initial on the front card's panel, one block per glyph pixel.
    for (int gy = 0; gy < GLYPH_SIZE; ++gy)
        for (int gx = 0; gx < GLYPH_SIZE; ++gx) {
            if (!glyphInk('K', gx, gy)) continue;
            const double x0 = (16 + gx) * k, y0 = (15 + gy) * k;
            c.fill(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::ceil(x0 + k)),
                   static_cast<int>(std::ceil(y0 + k)),
                   [=](double x, double y) { return x >= x0 && x < x0 + k && y >= y0 && y < y0 + k; },
                   Rgb{255, 255, 255});
        }
    return c;
}

}  // namespace resgen
