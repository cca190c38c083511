// BMP reading and writing of the headless platform, in plain C++: no SDL in its link.
// Reads uncompressed 24-bit and 32-bit pictures (the resource generator writes 24-bit ones);
// anything else, or any file whose fields point outside it, is refused.
#include <cstring>
#include <fstream>
#include <iterator>

#include "tolm2/platform/platform.h"

namespace {

constexpr size_t FILE_HEADER_BYTES = 14;
constexpr size_t CORE_HEADER_BYTES = 12;  // the oldest header: 16-bit sizes, no compression
constexpr size_t INFO_HEADER_BYTES = 40;
constexpr size_t MASK_BYTES = 12;          // red, green and blue masks of BI_BITFIELDS
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr int64_t MAX_SIDE = 32768;
constexpr uint32_t PIXELS_PER_METRE = 2835;  // 72 dpi

// The fields of the headers that say where the pixels are and how to read them.
struct Layout {
    int64_t width = 0;
    int64_t height = 0;  // positive: bottom row first
    uint32_t bitCount = 0;
    uint32_t compression = BI_RGB;
    uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};  // red, green, blue
    size_t pixelOffset = 0;
};

// Little-endian reads that report a field lying past the end instead of reading it.
class Reader {
public:
    explicit Reader(const std::string& data) : bytes(data) {}
    bool has(size_t offset, size_t count) const {
        return offset <= bytes.size() && count <= bytes.size() - offset;
    }
    uint32_t u(size_t offset, size_t count) const {
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) {
            const auto byte = static_cast<unsigned char>(bytes[offset + i]);
            value |= static_cast<uint32_t>(byte) << (8 * i);
        }
        return value;
    }
    int64_t s32(size_t offset) const { return static_cast<int32_t>(u(offset, 4)); }
    int64_t s16(size_t offset) const { return static_cast<int16_t>(u(offset, 2)); }
    const std::string& bytes;
};

bool readLayout(const Reader& in, Layout& layout) {
    if (!in.has(0, FILE_HEADER_BYTES + 4) || in.u(0, 2) != 0x4D42) return false;  // "BM"
    layout.pixelOffset = in.u(10, 4);
    const size_t headerBytes = in.u(14, 4);
    const size_t info = FILE_HEADER_BYTES;
    if (headerBytes == CORE_HEADER_BYTES) {
        if (!in.has(info, CORE_HEADER_BYTES)) return false;
        layout.width = in.s16(info + 4);
        layout.height = in.s16(info + 6);
        layout.bitCount = in.u(info + 10, 2);
    } else {
        if (headerBytes < INFO_HEADER_BYTES || !in.has(info, INFO_HEADER_BYTES)) return false;
        layout.width = in.s32(info + 4);
        layout.height = in.s32(info + 8);
        layout.bitCount = in.u(info + 14, 2);
        layout.compression = in.u(info + 16, 4);
    }
    if (layout.compression == BI_BITFIELDS) {
        // The masks follow the 40-byte header, or lie inside a longer one: same place.
        const size_t at = info + INFO_HEADER_BYTES;
        if (!in.has(at, MASK_BYTES)) return false;
        for (size_t k = 0; k < 3; ++k) layout.masks[k] = in.u(at + 4 * k, 4);
    }
    return layout.pixelOffset >= info + headerBytes;
}

// Where an 8-bit channel lies within a 32-bit mask; false for any other mask.
bool byteShiftOf(uint32_t mask, int& shift) {
    for (shift = 0; shift <= 24; shift += 8) {
        if (mask == 0xFFu << shift) return true;
    }
    return false;
}

bool readablePixels(const Layout& layout) {
    const bool sized = layout.width > 0 && layout.width <= MAX_SIDE && layout.height != 0 &&
                       layout.height >= -MAX_SIDE && layout.height <= MAX_SIDE;
    const bool depth = (layout.bitCount == 24 && layout.compression == BI_RGB) ||
                       (layout.bitCount == 32 &&
                        (layout.compression == BI_RGB || layout.compression == BI_BITFIELDS));
    return sized && depth;
}

}  // namespace

namespace plat {

bool loadBmp(const std::string& file, Image& out) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return false;
    const std::string bytes{std::istreambuf_iterator<char>(stream),
                            std::istreambuf_iterator<char>()};
    const Reader in(bytes);
    Layout layout;
    if (!readLayout(in, layout) || !readablePixels(layout)) return false;
    int shifts[3] = {16, 8, 0};
    for (size_t k = 0; k < 3; ++k) {
        if (!byteShiftOf(layout.masks[k], shifts[k])) return false;
    }
    const auto width = static_cast<size_t>(layout.width);
    const auto height = static_cast<size_t>(layout.height < 0 ? -layout.height : layout.height);
    const size_t pixelBytes = layout.bitCount / 8;
    const size_t rowBytes = (width * pixelBytes + 3) / 4 * 4;
    if (!in.has(layout.pixelOffset, rowBytes * height)) return false;

    Image picture;
    picture.width = static_cast<int32_t>(width);
    picture.height = static_cast<int32_t>(height);
    picture.pixels.resize(width * height);
    for (size_t y = 0; y < height; ++y) {
        const size_t stored = layout.height > 0 ? height - 1 - y : y;
        const size_t row = layout.pixelOffset + stored * rowBytes;
        for (size_t x = 0; x < width; ++x) {
            const uint32_t value = in.u(row + x * pixelBytes, pixelBytes);
            const uint32_t r = (value >> shifts[0]) & 0xFFu;
            const uint32_t g = (value >> shifts[1]) & 0xFFu;
            const uint32_t b = (value >> shifts[2]) & 0xFFu;
            // Whatever alpha the file has, the picture is opaque, or colour keys never match.
            picture.pixels[y * width + x] = OPAQUE_ALPHA | b << 16 | g << 8 | r;
        }
    }
    out = std::move(picture);
    return true;
}

bool saveBmp24(const std::string& file, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || width > MAX_SIDE || height > MAX_SIDE ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        return false;
    }
    const auto w = static_cast<uint32_t>(width);
    const auto h = static_cast<uint32_t>(height);
    const uint32_t rowBytes = (w * 3 + 3) / 4 * 4;
    const auto headers = static_cast<uint32_t>(FILE_HEADER_BYTES + INFO_HEADER_BYTES);
    std::string out;
    auto put = [&out](uint32_t value, size_t count) {
        for (size_t i = 0; i < count; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    };
    out += "BM";
    put(headers + rowBytes * h, 4);
    put(0, 4);
    put(headers, 4);
    put(INFO_HEADER_BYTES, 4);
    put(w, 4);
    put(h, 4);  // positive: bottom row first
    put(1, 2);  // planes
    put(24, 2);
    put(BI_RGB, 4);
    put(rowBytes * h, 4);
    put(PIXELS_PER_METRE, 4);
    put(PIXELS_PER_METRE, 4);
    put(0, 4);  // colours used
    put(0, 4);  // important colours
    for (uint32_t y = h; y-- > 0;) {
        const uint8_t* row = rgb.data() + static_cast<size_t>(y) * w * 3;
        for (uint32_t x = 0; x < w; ++x) {
            const uint8_t* pixel = row + static_cast<size_t>(x) * 3;
            out.push_back(static_cast<char>(pixel[2]));
            out.push_back(static_cast<char>(pixel[1]));
            out.push_back(static_cast<char>(pixel[0]));
        }
        out.append(rowBytes - w * 3, '\0');
    }
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    stream.close();
    return !stream.fail();
}

}  // namespace plat
