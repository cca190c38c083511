// Canvas of RGB pixels with pure green as "transparent", shape painting, and the BMP writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

namespace resgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr double PI = 3.14159265358979323846;

// The game keys every picture on pure green: these pixels are see-through.
constexpr Rgb KEY{0, 255, 0};

// Builds a colour from 0..255 components, clamped; a result equal to KEY is nudged so
// painted content never turns transparent by accident.
Rgb rgb(double r, double g, double b);
// a + (b - a) * t, per component.
Rgb mix(Rgb a, Rgb b, double t);
// Multiplies the brightness (t > 1 lightens toward white, t < 1 darkens).
Rgb shade(Rgb c, double t);

// Point test in pixel coordinates (pixel x covers [x, x + 1)).
using Inside = std::function<bool(double x, double y)>;
// Colour at a point in pixel coordinates.
using Paint = std::function<Rgb(double x, double y)>;

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = KEY);

    int width() const { return w; }
    int height() const { return h; }
    // Pixels outside the canvas read as KEY and ignore writes.
    Rgb at(int x, int y) const;
    void set(int x, int y, Rgb c);
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    void fillRect(int x, int y, int width, int height, Rgb c);
    // Copies a rectangle of src, skipping KEY pixels.
    void blit(const Canvas& src, int sx, int sy, int width, int height, int dx, int dy);

    // Paints a shape over the box [x0, x1) x [y0, y1) with 4x4 samples per pixel.
    // Over painted pixels the edge is blended by coverage; over KEY the pixel is set
    // only when at least half covered, so transparency stays a hard edge.
    void fill(int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint);
    void fill(int x0, int y0, int x1, int y1, const Inside& inside, Rgb c);

    // Common shapes on top of fill.
    void disc(double cx, double cy, double radius, Rgb c);
    void ring(double cx, double cy, double outer, double inner, Rgb c);
    void roundRect(double x, double y, double width, double height, double radius, Rgb c);
    void polygon(const std::vector<std::pair<double, double>>& points, Rgb c);

private:
    int w, h;
    std::vector<Rgb> px;
};

// True when (x, y) lies inside the closed polygon (even-odd rule).
bool insidePolygon(const std::vector<std::pair<double, double>>& points, double x, double y);
// True when (x, y) lies inside the rounded rectangle.
bool insideRoundRect(double x, double y, double rx, double ry, double width, double height,
                     double radius);

// Writes an uncompressed 24-bit bottom-up BMP; throws std::runtime_error on failure.
void writeBmp(const std::filesystem::path& file, const Canvas& canvas);

}  // namespace resgen
