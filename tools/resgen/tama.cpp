// The playing scene's picture sheet: card faces, back, slot, frames, spark and bonus icons.
#include <algorithm>
#include <cmath>

#include "cards.h"
#include "font.h"
#include "resources.h"

namespace resgen {

namespace {

constexpr int SHEET_SIZE = 256;
constexpr int CARD = 32;
constexpr int ICON = 16;

// Where the game reads each picture.
constexpr int FACE_X = 64, FACE_Y = 32;  // + 32 * colour
constexpr int BACK_X = 192, BACK_Y = 32;
constexpr int EMPTY_X = 224, EMPTY_Y = 32;
constexpr int HOVER_X = 64, HOVER_Y = 0;
constexpr int PICKED_X = 96, PICKED_Y = 0;
constexpr int SPARK_X = 128, SPARK_Y = 0;
constexpr int ICON_Y = 96;  // + 16 * row; x = 16 * frame
constexpr int ICON_FRAMES = 3;

void drawCardFaces(Canvas& c) {
    for (int color = 0; color < 3; ++color) paintCard(c, {static_cast<double>(FACE_X + CARD * color), FACE_Y, 1.0, 0.0}, color, -1);
}

void drawCardBack(Canvas& c) { paintCard(c, {BACK_X, BACK_Y, 1.0, 0.0}, -1, -1); }

// An empty combo-box place: a dim dashed outline around a dark hollow.
void drawEmptySlot(Canvas& c) {
    int ox = EMPTY_X, oy = EMPTY_Y;
    c.roundRect(ox + 1, oy + 1, CARD - 2, CARD - 2, 4, Rgb{16, 20, 34});
    const Rgb dim{104, 118, 160};
    c.fill(ox, oy, ox + CARD, oy + CARD, [=](double x, double y) {
        bool outer = insideRoundRect(x, y, ox + 1, oy + 1, CARD - 2, CARD - 2, 4);
        bool inner = insideRoundRect(x, y, ox + 2, oy + 2, CARD - 4, CARD - 4, 3);
        double u = x - ox, v = y - oy;
        bool dash = std::fmod(u + v, 6.0) < 3.5 || (u < 7 || u > 25) == (v < 7 || v > 25);
        return outer && !inner && dash;
    }, dim);
    c.disc(ox + 16, oy + 16, 1.6, Rgb{44, 52, 76});
}

// Hover: corner brackets and a thin bright edge; the card shows through everywhere else.
void drawHover(Canvas& c) {
    int ox = HOVER_X, oy = HOVER_Y;
    const Rgb edge{120, 220, 255}, bright{235, 255, 255};
    for (int i = 0; i < CARD; ++i) {
        c.set(ox + i, oy, edge);
        c.set(ox + i, oy + CARD - 1, edge);
        c.set(ox, oy + i, edge);
        c.set(ox + CARD - 1, oy + i, edge);
    }
    constexpr int arm = 8;
    for (int i = 0; i < arm; ++i)
        for (int t = 0; t < 2; ++t) {
            c.set(ox + i, oy + t, bright);
            c.set(ox + t, oy + i, bright);
            c.set(ox + CARD - 1 - i, oy + t, bright);
            c.set(ox + CARD - 1 - t, oy + i, bright);
            c.set(ox + i, oy + CARD - 1 - t, bright);
            c.set(ox + t, oy + CARD - 1 - i, bright);
            c.set(ox + CARD - 1 - i, oy + CARD - 1 - t, bright);
            c.set(ox + CARD - 1 - t, oy + CARD - 1 - i, bright);
        }
}

// Picked: a thick white-to-pink frame with a dark edge and bright corner studs; no card
// colour uses pink, so it stands out on all three faces.
void drawPicked(Canvas& c) {
    int ox = PICKED_X, oy = PICKED_Y;
    auto band = [&c, ox, oy](double inset, double width, Rgb top, Rgb bottom) {
        c.fill(ox, oy, ox + CARD, oy + CARD, [=](double x, double y) {
            bool outer = insideRoundRect(x, y, ox + inset, oy + inset, CARD - 2 * inset, CARD - 2 * inset, 5 - inset);
            double in = inset + width;
            bool inner = insideRoundRect(x, y, ox + in, oy + in, CARD - 2 * in, CARD - 2 * in, std::max(0.5, 5 - in));
            return outer && !inner;
        }, [=](double, double y) { return mix(top, bottom, (y - oy) / CARD); });
    };
    const Rgb edge{40, 0, 40};
    band(0, 3.8, edge, edge);
    band(0.6, 2.6, Rgb{255, 255, 255}, Rgb{255, 150, 220});
    band(1.5, 1, Rgb{255, 120, 210}, Rgb{230, 40, 160});
    const double studs[4][2] = {{3, 3}, {29, 3}, {3, 29}, {29, 29}};
    for (auto& s : studs) {
        c.disc(ox + s[0], oy + s[1], 2.6, edge);
        c.disc(ox + s[0], oy + s[1], 1.7, Rgb{255, 255, 200});
    }
}

void drawSpark(Canvas& c) {
    const char* dot[4] = {".oo.", "oWWo", "oWWo", ".oo."};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            char k = dot[y][x];
            if (k == 'W') c.set(SPARK_X + x, SPARK_Y + y, Rgb{255, 255, 255});
            if (k == 'o') c.set(SPARK_X + x, SPARK_Y + y, Rgb{255, 236, 150});
        }
}

// ---- Bonus icons: 16 x 16, three frames each, drawn up to eleven times enlarged ----

const Rgb INK{16, 12, 28};
const Rgb RED{236, 52, 60}, GREEN{52, 204, 84}, YELLOW{250, 214, 48};

// COLOR: a wheel of the three card colours turning a third of a sector per frame.
void drawColorIcon(Canvas& c, int ox, int oy, int frame) {
    double cx = ox + 8, cy = oy + 8;
    c.disc(cx, cy, 7.9, INK);
    double turn = frame * 40.0;
    c.fill(ox, oy, ox + ICON, oy + ICON, [=](double x, double y) { return std::hypot(x - cx, y - cy) <= 6.6; },
           [=](double x, double y) {
               double a = std::atan2(y - cy, x - cx) * 180.0 / PI - turn + 720.0;
               int sector = static_cast<int>(std::fmod(a, 360.0) / 120.0) % 3;
               const Rgb cols[3] = {RED, GREEN, YELLOW};
               double r = std::hypot(x - cx, y - cy);
               return shade(cols[sector], 1.0 + 0.35 * (1.0 - r / 6.6));
           });
    c.disc(cx, cy, 2.4, INK);
    c.disc(cx, cy, 1.4, Rgb{255, 255, 255});
}

// SIGNAL: a traffic light whose lit lamp runs green, yellow, red.
void drawSignalIcon(Canvas& c, int ox, int oy, int frame) {
    c.fillRect(ox + 7, oy + 11, 2, 5, Rgb{90, 96, 110});
    c.fillRect(ox + 6, oy + 15, 4, 1, Rgb{90, 96, 110});
    c.roundRect(ox, oy + 3, 16, 9, 3, INK);
    c.roundRect(ox + 1, oy + 4, 14, 7, 2, Rgb{54, 60, 76});
    const Rgb lamps[3] = {GREEN, YELLOW, RED};
    for (int i = 0; i < 3; ++i) {
        double lx = ox + 3.2 + 4.8 * i, ly = oy + 7.5;
        bool lit = i == frame;
        c.disc(lx, ly, 2.3, lit ? shade(lamps[i], 1.0) : shade(lamps[i], 0.32));
        if (lit) c.disc(lx - 0.6, ly - 0.6, 0.9, Rgb{255, 255, 240});
    }
}

// NUMBER: a bold hash whose colour pulses from blue to white and back.
void drawNumberIcon(Canvas& c, int ox, int oy, int frame) {
    const Rgb tints[3] = {{70, 170, 255}, {170, 230, 255}, {110, 200, 255}};
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < GLYPH_SIZE; ++y)
            for (int x = 0; x < GLYPH_SIZE; ++x) {
                if (!glyphInk('#', x, y)) continue;
                int px = ox + 1 + 2 * x, py = oy + 1 + 2 * y;
                if (pass == 0) {
                    c.fillRect(px - 1, py - 1, 4, 4, INK);
                } else {
                    Rgb col = shade(tints[frame], 1.0 - 0.02 * y);
                    c.fillRect(px, py, 2, 2, col);
                    c.set(px, py, shade(col, 1.3));
                }
            }
}

// STEP: three stairs with a ball hopping one step up per frame.
void drawStepIcon(Canvas& c, int ox, int oy, int frame) {
    const Rgb stair{255, 150, 40}, top{255, 220, 140};
    auto height = [](int s) { return 3 + 3 * s; };
    for (int s = 0; s < 3; ++s) c.fillRect(ox + 5 * s, oy + 15 - height(s), 6, height(s) + 1, INK);
    for (int s = 0; s < 3; ++s) {
        int x = ox + 1 + 5 * s, y = oy + 16 - height(s);
        c.fillRect(x, y, 4, height(s), stair);
        c.fillRect(x, y, 4, 1, top);
    }
    double bx = ox + 3 + 5 * frame, by = oy + 15 - height(frame) - 3.2;
    c.disc(bx, by, 2.9, INK);
    c.disc(bx, by, 2.1, Rgb{120, 255, 160});
    c.set(static_cast<int>(bx) - 1, static_cast<int>(by) - 1, Rgb{255, 255, 255});
}

// 8 BIT: a chip with a seven-segment 8 whose colour cycles.
void drawEightBitIcon(Canvas& c, int ox, int oy, int frame) {
    const Rgb pin{190, 196, 210};
    for (int i = 0; i < 4; ++i) {
        int y = oy + 3 + 3 * i;
        c.fillRect(ox, y, 2, 2, pin);
        c.fillRect(ox + 14, y, 2, 2, pin);
    }
    c.fillRect(ox + 2, oy + 1, 12, 14, INK);
    c.fillRect(ox + 3, oy + 2, 10, 12, Rgb{40, 40, 56});
    c.set(ox + 4, oy + 3, Rgb{120, 120, 140});
    const Rgb leds[3] = {{255, 80, 200}, {80, 255, 200}, {255, 230, 80}};
    const char* eight[9] = {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 5; ++x)
            if (eight[y][x] == '#') c.set(ox + 6 + x, oy + 4 + y, leds[frame]);
}

// Each icon is drawn on its own 16 x 16 canvas, so nothing spills into a neighbour.
void drawBonusIcons(Canvas& sheet) {
    using Draw = void (*)(Canvas&, int, int, int);
    const Draw rows[] = {drawColorIcon, drawSignalIcon, drawNumberIcon, drawStepIcon, drawEightBitIcon};
    for (int row = 0; row < 5; ++row)
        for (int f = 0; f < ICON_FRAMES; ++f) {
            Canvas icon(ICON, ICON);
            rows[row](icon, 0, 0, f);
            sheet.blit(icon, 0, 0, ICON, ICON, ICON * f, ICON_Y + ICON * row);
        }
}

}  // namespace

Canvas makeTama() {
    Canvas sheet(SHEET_SIZE, SHEET_SIZE);
    drawCardFaces(sheet);
    drawCardBack(sheet);
    drawEmptySlot(sheet);
    drawHover(sheet);
    drawPicked(sheet);
    drawSpark(sheet);
    drawBonusIcons(sheet);
    return sheet;
}

}  // namespace resgen
