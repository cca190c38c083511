// Card faces and back as colour functions, and their painting at any size and angle.
#include "cards.h"

#include <algorithm>
#include <cmath>

#include "font.h"

namespace resgen {

namespace {

struct CardPalette {
    Rgb outline, dark, main, light, panel;
};

const CardPalette PALETTES[3] = {
    {{52, 0, 10}, {150, 16, 34}, {226, 44, 58}, {255, 150, 150}, {30, 4, 10}},   // red
    {{0, 36, 14}, {16, 110, 44}, {44, 190, 80}, {170, 255, 170}, {4, 26, 12}},   // green
    {{56, 38, 0}, {176, 124, 8}, {246, 206, 40}, {255, 250, 170}, {34, 26, 4}},  // yellow
};

// Octagon of the given size at (x0, y0) with its corners cut by cut.
bool insideOctagon(double u, double v, double x0, double y0, double size, double cut) {
    double half = size / 2;
    double du = std::fabs(u - x0 - half), dv = std::fabs(v - y0 - half);
    return du <= half && dv <= half && du + dv <= 2 * half - cut;
}

const double CORNERS[4][2] = {{4.5, 4.5}, {27.5, 4.5}, {4.5, 27.5}, {27.5, 27.5}};
const double EDGES[4][2] = {{16, 3.5}, {16, 28.5}, {3.5, 16}, {28.5, 16}};

// Red: diamond pips in the corners and small diamonds halfway along each edge.
std::optional<Rgb> redMotif(const CardPalette& p, double u, double v) {
    for (auto& k : CORNERS) {
        double d = std::fabs(u - k[0]) + std::fabs(v - k[1]);
        if (std::fabs(u - k[0] - 0.4) + std::fabs(v - k[1] - 0.4) <= 1.4) return Rgb{255, 255, 255};
        if (d <= 3.0) return p.light;
        if (d <= 4.2) return p.outline;
    }
    for (auto& k : EDGES) {
        double d = std::fabs(u - k[0]) + std::fabs(v - k[1]);
        if (d <= 1.6) return p.light;
        if (d <= 2.6) return p.outline;
    }
    return std::nullopt;
}

// Green: rings in the corners and round dots halfway along each edge.
std::optional<Rgb> greenMotif(const CardPalette& p, double u, double v) {
    for (auto& k : CORNERS) {
        double r = std::hypot(u - k[0], v - k[1]);
        if (r < 1.5) return p.outline;
        if (r <= 3.1) return p.light;
        if (r <= 3.9) return p.outline;
    }
    for (auto& k : EDGES) {
        double r = std::hypot(u - k[0], v - k[1]);
        if (r <= 1.5) return p.light;
        if (r <= 2.3) return p.outline;
    }
    return std::nullopt;
}

// Yellow: triangles in the corners over diagonal warning stripes all round the rim.
std::optional<Rgb> yellowMotif(const CardPalette& p, double u, double v) {
    double cu = std::min(u, CARD_SIZE - u), cv = std::min(v, CARD_SIZE - v);
    if (cu >= 1.5 && cv >= 1.5 && cu + cv <= 10.5) return p.light;
    if (std::fmod(u + v + 64.0, 6.0) < 2.4) return shade(p.dark, 0.85);
    return std::nullopt;
}

Rgb bodyShade(const CardPalette& p, double v) {
    double t = v / CARD_SIZE;
    return t < 0.5 ? mix(shade(p.main, 1.15), p.main, t * 2) : mix(p.main, p.dark, (t - 0.5) * 1.2);
}

}  // namespace

std::optional<Rgb> cardFaceAt(int color, double u, double v) {
    const CardPalette& p = PALETTES[color < 0 ? 0 : color > 2 ? 2 : color];
    if (!insideRoundRect(u, v, 0, 0, CARD_SIZE, CARD_SIZE, 5)) return std::nullopt;
    if (!insideRoundRect(u, v, 1, 1, CARD_SIZE - 2, CARD_SIZE - 2, 4)) return p.outline;
    if (insideOctagon(u, v, 6, 6, 20, 5)) {
        if (insideOctagon(u, v, 7, 7, 18, 4.5)) return mix(shade(p.panel, 1.5), p.panel, std::min(1.0, (v - 7) / 6));
        return p.outline;
    }
    std::optional<Rgb> motif = color == 0 ? redMotif(p, u, v) : color == 1 ? greenMotif(p, u, v) : yellowMotif(p, u, v);
    if (motif) return motif;
    if (v < 2 && u >= 5 && u < CARD_SIZE - 5) return mix(bodyShade(p, v), p.light, 0.7);  // glint
    return bodyShade(p, v);
}

std::optional<Rgb> cardBackAt(double u, double v) {
    const Rgb rim{20, 10, 48}, base{64, 44, 150}, lattice{104, 86, 210}, gold{250, 200, 60};
    if (!insideRoundRect(u, v, 0, 0, CARD_SIZE, CARD_SIZE, 5)) return std::nullopt;
    if (!insideRoundRect(u, v, 1, 1, CARD_SIZE - 2, CARD_SIZE - 2, 4)) return rim;
    double d = std::fabs(u - 16) + std::fabs(v - 16);
    if (std::fabs(u - 15.3) + std::fabs(v - 15.3) <= 1.2) return Rgb{255, 240, 200};
    if (d <= 3.2) return Rgb{200, 60, 40};
    if (d <= 6.0) return gold;
    if (d <= 7.5) return rim;
    if (insideRoundRect(u, v, 3, 3, 26, 26, 3) && !insideRoundRect(u, v, 4, 4, 24, 24, 2)) return shade(gold, 0.8);
    bool line = std::fmod(u + v + 64.0, 8.0) < 1.2 || std::fmod(u - v + 64.0, 8.0) < 1.2;
    double t = v / CARD_SIZE;
    return line ? mix(lattice, base, t * 0.5) : mix(shade(base, 1.1), shade(base, 0.75), t);
}

Rgb numberColor(int n) {
    return rgb(63 * (n % 4 + 1), 85 * (n % 3 + 1), 127 * (n % 2 + 1));
}

void paintCard(Canvas& canvas, const Placement& at, int color, int number) {
    const double size = CARD_SIZE * at.scale;
    const double cx = at.x + size / 2, cy = at.y + size / 2;
    const double a = at.degrees * PI / 180.0, ca = std::cos(a), sa = std::sin(a);
    // Canvas point -> card coordinates: undo the turn about the centre, then the scale.
    auto toCard = [=](double x, double y, double& u, double& v) {
        double dx = x - cx, dy = y - cy;
        u = (dx * ca + dy * sa) / at.scale + CARD_SIZE / 2;
        v = (-dx * sa + dy * ca) / at.scale + CARD_SIZE / 2;
    };
    auto colourAt = [=](double x, double y) -> std::optional<Rgb> {
        double u, v;
        toCard(x, y, u, v);
        if (color >= 0 && number >= 0) {
            // The game writes the number with the font at twice its size, 8 units in.
            auto gx = static_cast<int>(std::floor((u - 8) / 2)), gy = static_cast<int>(std::floor((v - 8) / 2));
            if (u >= 8 && v >= 8 && glyphInk(static_cast<char>('0' + number % 10), gx, gy)) return numberColor(number);
        }
        return color < 0 ? cardBackAt(u, v) : cardFaceAt(color, u, v);
    };
    const double reach = size * 0.75;
    canvas.fill(static_cast<int>(cx - reach), static_cast<int>(cy - reach),
                static_cast<int>(cx + reach) + 1, static_cast<int>(cy + reach) + 1,
                [=](double x, double y) { return colourAt(x, y).has_value(); },
                [=](double x, double y) { return *colourAt(x, y); });
}

}  // namespace resgen
