// Canvas painting with supersampled edges, and the 24-bit BMP writer.
#include "bitmap.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace resgen {

namespace {

uint8_t clampByte(double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

constexpr int SUBSAMPLES = 4;

void putLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

}  // namespace

Rgb rgb(double r, double g, double b) {
    Rgb c{clampByte(r), clampByte(g), clampByte(b)};
    if (c == KEY) c.g = 254;
    return c;
}

Rgb mix(Rgb a, Rgb b, double t) {
    return rgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
}

Rgb shade(Rgb c, double t) {
    if (t <= 1.0) return rgb(c.r * t, c.g * t, c.b * t);
    return mix(c, Rgb{255, 255, 255}, std::min(1.0, t - 1.0));
}

Canvas::Canvas(int width, int height, Rgb fill)
    : w(width), h(height), px(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

Rgb Canvas::at(int x, int y) const {
    if (!contains(x, y)) return KEY;
    return px[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
}

void Canvas::set(int x, int y, Rgb c) {
    if (!contains(x, y)) return;
    px[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = c;
}

void Canvas::fillRect(int x, int y, int width, int height, Rgb c) {
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i) set(i, j, c);
}

void Canvas::blit(const Canvas& src, int sx, int sy, int width, int height, int dx, int dy) {
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            Rgb c = src.at(sx + i, sy + j);
            if (c != KEY) set(dx + i, dy + j, c);
        }
}

void Canvas::fill(int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint) {
    constexpr int total = SUBSAMPLES * SUBSAMPLES;
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w, x1); ++x) {
            int hits = 0;
            double r = 0, g = 0, b = 0;
            for (int sy = 0; sy < SUBSAMPLES; ++sy)
                for (int sx = 0; sx < SUBSAMPLES; ++sx) {
                    double fx = x + (sx + 0.5) / SUBSAMPLES;
                    double fy = y + (sy + 0.5) / SUBSAMPLES;
                    if (!inside(fx, fy)) continue;
                    Rgb c = paint(fx, fy);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++hits;
                }
            if (hits == 0) continue;
            Rgb c = rgb(r / hits, g / hits, b / hits);
            Rgb under = at(x, y);
            if (under == KEY) {
                if (hits * 2 >= total) set(x, y, c);
            } else {
                set(x, y, mix(under, c, static_cast<double>(hits) / total));
            }
        }
}

void Canvas::fill(int x0, int y0, int x1, int y1, const Inside& inside, Rgb c) {
    fill(x0, y0, x1, y1, inside, [c](double, double) { return c; });
}

void Canvas::disc(double cx, double cy, double radius, Rgb c) {
    ring(cx, cy, radius, -1.0, c);
}

void Canvas::ring(double cx, double cy, double outer, double inner, Rgb c) {
    auto x0 = static_cast<int>(std::floor(cx - outer)), x1 = static_cast<int>(std::ceil(cx + outer));
    auto y0 = static_cast<int>(std::floor(cy - outer)), y1 = static_cast<int>(std::ceil(cy + outer));
    fill(x0, y0, x1 + 1, y1 + 1, [=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        return d <= outer && d >= inner;
    }, c);
}

void Canvas::roundRect(double x, double y, double width, double height, double radius, Rgb c) {
    fill(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)),
         static_cast<int>(std::ceil(x + width)) + 1, static_cast<int>(std::ceil(y + height)) + 1,
         [=](double px_, double py_) { return insideRoundRect(px_, py_, x, y, width, height, radius); },
         c);
}

void Canvas::polygon(const std::vector<std::pair<double, double>>& points, Rgb c) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (auto [x, y] : points) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    fill(static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)),
         static_cast<int>(std::ceil(x1)) + 1, static_cast<int>(std::ceil(y1)) + 1,
         [&points](double x, double y) { return insidePolygon(points, x, y); }, c);
}

bool insidePolygon(const std::vector<std::pair<double, double>>& points, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        auto [xi, yi] = points[i];
        auto [xj, yj] = points[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

bool insideRoundRect(double x, double y, double rx, double ry, double width, double height,
                     double radius) {
    if (x < rx || y < ry || x > rx + width || y > ry + height) return false;
    double cx = std::clamp(x, rx + radius, rx + width - radius);
    double cy = std::clamp(y, ry + radius, ry + height - radius);
    return std::hypot(x - cx, y - cy) <= radius;
}

void writeBmp(const std::filesystem::path& file, const Canvas& canvas) {
    const auto width = static_cast<uint32_t>(canvas.width());
    const auto height = static_cast<uint32_t>(canvas.height());
    const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t dataBytes = rowBytes * height;
    constexpr uint32_t headerBytes = 14 + 40;

    std::vector<uint8_t> out;
    out.reserve(headerBytes + dataBytes);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, headerBytes + dataBytes);
    putLe32(out, 0);            // reserved
    putLe32(out, headerBytes);  // offset of the pixels
    putLe32(out, 40);           // BITMAPINFOHEADER
    putLe32(out, width);
    putLe32(out, height);       // positive: bottom row first
    putLe16(out, 1);            // planes
    putLe16(out, 24);           // bits per pixel
    putLe32(out, 0);            // BI_RGB
    putLe32(out, dataBytes);
    putLe32(out, 2835);         // 72 dpi
    putLe32(out, 2835);
    putLe32(out, 0);            // colours used
    putLe32(out, 0);            // important colours
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x) {
            Rgb c = canvas.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }

    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!f) throw std::runtime_error("resgen: cannot write " + file.string());
}

}  // namespace resgen
