// The logo splash and the menu panel picture.
#include <cmath>
#include <string>
#include <vector>

#include "cards.h"
#include "font.h"
#include "resources.h"

namespace resgen {

namespace {

// Top-left of a card of the given scale whose centre is at (cx, cy).
Placement centred(double cx, double cy, double scale, double degrees) {
    double half = CARD_SIZE * scale / 2;
    return {cx - half, cy - half, scale, degrees};
}

// A four-pointed twinkle.
void sparkle(Canvas& c, double cx, double cy, double arm, Rgb colour) {
    double w = arm * 0.22;
    c.polygon({{cx, cy - arm}, {cx + w, cy - w}, {cx + arm, cy}, {cx + w, cy + w},
               {cx, cy + arm}, {cx - w, cy + w}, {cx - arm, cy}, {cx - w, cy - w}}, colour);
}

// ---- Logo ----

constexpr int LOGO_SHEET = 512;
constexpr int LOGO_SIZE = 320;  // the part the logo scene draws

// A dark disc of alternating rays behind the cards.
void drawRays(Canvas& c, double cx, double cy, double radius) {
    const Rgb rim{70, 100, 210}, edge{16, 20, 56};
    c.disc(cx, cy, radius + 4, edge);
    c.disc(cx, cy, radius + 2, rim);
    c.fill(static_cast<int>(cx - radius), static_cast<int>(cy - radius), static_cast<int>(cx + radius) + 1,
           static_cast<int>(cy + radius) + 1, [=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; },
           [=](double x, double y) {
               double a = std::atan2(y - cy, x - cx) * 180.0 / PI + 360.0;
               bool light = static_cast<int>(a / 15.0) % 2 == 0;
               double t = std::hypot(x - cx, y - cy) / radius;
               Rgb inner = light ? Rgb{44, 60, 150} : Rgb{30, 40, 112};
               Rgb outer = light ? Rgb{24, 32, 90} : Rgb{16, 22, 70};
               return mix(inner, outer, t);
           });
}

// Ink rectangles of a word written with the font glyphs at block pixels per glyph pixel.
struct Block {
    double x, y, size;
};

std::vector<Block> wordBlocks(std::string_view word, double x0, double y0, double block, double pitch) {
    std::vector<Block> blocks;
    for (size_t i = 0; i < word.size(); ++i)
        for (int gy = 0; gy < GLYPH_SIZE; ++gy)
            for (int gx = 0; gx < GLYPH_SIZE; ++gx)
                if (glyphInk(word[i], gx, gy))
                    blocks.push_back({x0 + pitch * static_cast<double>(i) + gx * block, y0 + gy * block, block});
    return blocks;
}

// True when (x, y) is within grow of one of the blocks shifted by (dx, dy).
bool nearBlocks(const std::vector<Block>& blocks, double x, double y, double grow, double dx, double dy) {
    for (const Block& b : blocks) {
        double ex = std::max({b.x + dx - x, 0.0, x - (b.x + dx + b.size)});
        double ey = std::max({b.y + dy - y, 0.0, y - (b.y + dy + b.size)});
        if (ex * ex + ey * ey <= grow * grow) return true;
    }
    return false;
}

// The title in big blocky letters: a deep extrusion, a dark outline and a gold face.
void drawTitle(Canvas& c, std::string_view word, int y0, double block) {
    const double pitch = block * 8;
    const double width = pitch * static_cast<double>(word.size()) - block;
    const double x0 = std::round((LOGO_SIZE - width) / 2);
    const std::vector<Block> blocks = wordBlocks(word, x0, y0, block, pitch);
    const int top = y0 - 4, bottom = static_cast<int>(y0 + block * 7 + 12);
    for (int depth = 6; depth >= 1; --depth)
        c.fill(0, top, LOGO_SIZE, bottom,
               [&, depth](double x, double y) { return nearBlocks(blocks, x, y, 2.5, depth, depth); },
               mix(Rgb{120, 30, 20}, Rgb{40, 8, 16}, depth / 6.0));
    c.fill(0, top, LOGO_SIZE, bottom, [&](double x, double y) { return nearBlocks(blocks, x, y, 2.5, 0, 0); },
           Rgb{30, 8, 12});
    const double height = block * 7;
    c.fill(0, top, LOGO_SIZE, bottom, [&](double x, double y) { return nearBlocks(blocks, x, y, 0.0, 0, 0); },
           [=](double, double y) {
               double t = (y - y0) / height;
               if (t < 0.12) return Rgb{255, 252, 210};
               if (t < 0.5) return mix(Rgb{255, 236, 110}, Rgb{255, 196, 40}, (t - 0.12) / 0.38);
               return mix(Rgb{255, 160, 30}, Rgb{226, 84, 20}, (t - 0.5) / 0.5);
           });
}

void drawSubtitle(Canvas& c, std::string_view text, int y) {
    const int scale = 2;
    const int width = static_cast<int>(text.size()) * GLYPH_SIZE * scale - scale;
    const int x = (LOGO_SIZE - width) / 2;
    drawText(c, x + 2, y + 2, text, scale, Rgb{20, 30, 70});
    drawText(c, x, y, text, scale, Rgb{150, 220, 255});
    const Rgb line{70, 100, 210};
    c.fillRect(x - 40, y + 6, 30, 3, line);
    c.fillRect(x + width + 10, y + 6, 30, 3, line);
}

// ---- Menu panel ----

constexpr int MENU_SIZE = 256;

void drawMenuRow(Canvas& c, int k, std::string_view name) {
    const int y = 64 + 28 * k;
    c.roundRect(22, y, 212, 24, 6, Rgb{12, 14, 44});
    c.fill(23, y + 1, 233, y + 23,
           [=](double x, double yy) { return insideRoundRect(x, yy, 23, y + 1, 210, 22, 5); },
           [=](double, double yy) { return mix(Rgb{44, 58, 140}, Rgb{26, 34, 96}, (yy - y) / 24.0); });
    paintCard(c, {28, y + 3.0, 18.0 / CARD_SIZE, 0.0}, k % 3, -1);
    drawText(c, 56, y + 4, name, 2, Rgb{235, 240, 255});
}

}  // namespace

Canvas makeLogo() {
    Canvas c(LOGO_SHEET, LOGO_SHEET);
    drawRays(c, 160, 124, 116);
    const double scale = 3.0;
    paintCard(c, centred(92, 128, scale, -17), 0, 1);
    paintCard(c, centred(228, 128, scale, 17), 2, 3);
    paintCard(c, centred(160, 108, scale, 0), 1, 2);
    sparkle(c, 48, 40, 11, Rgb{255, 250, 200});
    sparkle(c, 276, 52, 8, Rgb{200, 240, 255});
    sparkle(c, 262, 22, 5, Rgb{255, 255, 255});
    sparkle(c, 30, 190, 6, Rgb{255, 230, 150});
    drawTitle(c, "KORVANE", 222, 5.0);
    drawSubtitle(c, "SCORE ATTACK", 290);
    return c;
}

Canvas makeMenu() {
    Canvas c(MENU_SIZE, MENU_SIZE);
    c.roundRect(6, 6, 244, 244, 16, Rgb{90, 120, 230});
    c.roundRect(9, 9, 238, 238, 13, Rgb{14, 16, 50});
    c.fill(11, 11, 245, 245, [](double x, double y) { return insideRoundRect(x, y, 11, 11, 234, 234, 11); },
           [](double, double y) { return mix(Rgb{20, 26, 86}, Rgb{8, 10, 36}, (y - 11) / 234.0); });
    c.roundRect(18, 18, 220, 36, 9, Rgb{12, 14, 44});
    c.fill(19, 19, 237, 53, [](double x, double y) { return insideRoundRect(x, y, 19, 19, 218, 34, 8); },
           [](double, double y) { return mix(Rgb{110, 150, 255}, Rgb{50, 70, 190}, (y - 19) / 34.0); });
    drawText(c, 84, 27, "MENU", 3, Rgb{16, 20, 60});
    drawText(c, 82, 25, "MENU", 3, Rgb{255, 255, 255});
    const char* const modes[6] = {"LINE", "SHUFFLE", "MEMORY", "SQUARE", "MIXER", "REVERSE"};
    for (int k = 0; k < 6; ++k) drawMenuRow(c, k, modes[k]);
    drawText(c, 72, 234, "CLICK TO START", 1, Rgb{150, 220, 255});
    return c;
}

}  // namespace resgen
