// The browser platform: BMP pictures read and written by hand, as the browser's SDL has
// no BMP streams. Reads uncompressed 24- and 32-bit pictures, either row order.
#include <cstdio>
#include <cstring>

#include "tolm2/platform/platform.h"

namespace {

constexpr size_t FILE_HEADER = 14;
constexpr size_t INFO_HEADER = 40;

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t le16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void put32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

bool readAll(const std::string& file, std::vector<uint8_t>& bytes) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) return false;
    uint8_t chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(in);
    return true;
}

}  // namespace

namespace plat {

bool loadBmp(const std::string& file, Image& out) {
    std::vector<uint8_t> bytes;
    if (!readAll(file, bytes) || bytes.size() < FILE_HEADER + INFO_HEADER) return false;
    if (bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t offset = le32(bytes, 10);
    const int32_t width = static_cast<int32_t>(le32(bytes, 18));
    const int32_t rawHeight = static_cast<int32_t>(le32(bytes, 22));
    const uint16_t bits = le16(bytes, 28);
    const uint32_t compression = le32(bytes, 30);
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
    if ((bits != 24 && bits != 32) || (compression != 0 && !(bits == 32 && compression == 3))) {
        return false;
    }
    const size_t pixelBytes = bits / 8u;
    const size_t stride = (static_cast<size_t>(width) * pixelBytes + 3) & ~size_t{3};
    if (offset > bytes.size() || bytes.size() - offset < stride * static_cast<size_t>(height)) {
        return false;
    }
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t fileRow = rawHeight < 0 ? y : height - 1 - y;
        const uint8_t* row = bytes.data() + offset + stride * static_cast<size_t>(fileRow);
        uint32_t* to = out.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            // Opaque whatever the file says, or colour keys never match.
            const uint8_t* bgr = row + static_cast<size_t>(x) * pixelBytes;
            to[x] = OPAQUE_ALPHA | static_cast<uint32_t>(bgr[0]) << 16 |
                    static_cast<uint32_t>(bgr[1]) << 8 | bgr[2];
        }
    }
    return true;
}

bool saveBmp24(const std::string& file, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0) return false;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t size = FILE_HEADER + INFO_HEADER + stride * static_cast<size_t>(height);
    if (rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) return false;
    std::vector<uint8_t> bytes{'B', 'M'};
    put32(bytes, static_cast<uint32_t>(size));
    put32(bytes, 0);
    put32(bytes, FILE_HEADER + INFO_HEADER);
    put32(bytes, INFO_HEADER);
    put32(bytes, static_cast<uint32_t>(width));
    put32(bytes, static_cast<uint32_t>(height));
    put32(bytes, 1u | 24u << 16);
    for (int i = 0; i < 6; ++i) put32(bytes, 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        const uint8_t* row = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int32_t x = 0; x < width; ++x) {
            bytes.push_back(row[3 * x + 2]);
            bytes.push_back(row[3 * x + 1]);
            bytes.push_back(row[3 * x]);
        }
        bytes.resize(bytes.size() + stride - static_cast<size_t>(width) * 3, 0);
    }
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace plat
