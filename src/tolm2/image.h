// A decoded picture in memory: 32-bit pixels whose bytes are R, G, B, A.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    // Row-major, top row first; as a little-endian word a pixel is A<<24 | B<<16 | G<<8 | R.
    std::vector<uint32_t> pixels;

    // Bounds-checked pixel access; throws TolmError outside the image.
    uint32_t& at(int32_t x, int32_t y);
    uint32_t at(int32_t x, int32_t y) const;
};

inline constexpr uint32_t OPAQUE_ALPHA = 0xFF000000u;

// Packs a colour key from three mask entries: c0 meets the blue byte, c2 the red.
inline uint32_t colorKeyOf(int c0, int c1, int c2) {
    return (static_cast<uint32_t>(c0) << 16) | (static_cast<uint32_t>(c1) << 8) |
           static_cast<uint32_t>(c2);
}

// Makes every fully opaque pixel equal to key transparent black.
void applyColorKey(Image& image, uint32_t key);
