// Pixel access and colour keying of decoded pictures.
#include "tolm2/image.h"

#include "tolm2/error.h"

namespace {
size_t indexOf(const Image& image, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
        throw TolmError::format("Image: pixel (%d, %d) outside %d x %d", x, y, image.width,
                                image.height);
    }
    return static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x);
}
}  // namespace

uint32_t& Image::at(int32_t x, int32_t y) { return pixels[indexOf(*this, x, y)]; }
uint32_t Image::at(int32_t x, int32_t y) const { return pixels[indexOf(*this, x, y)]; }

void applyColorKey(Image& image, uint32_t key) {
    const uint32_t opaqueKey = key | OPAQUE_ALPHA;
    for (uint32_t& pixel : image.pixels) {
        if (pixel == opaqueKey) pixel = 0;
    }
}
