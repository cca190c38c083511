// PNG output through libpng's simplified writer.
#include "png_writer.h"

#include <png.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace resgen {

void writePng(const std::filesystem::path& file, const Canvas& canvas) {
    std::vector<uint8_t> rows;
    rows.reserve(static_cast<size_t>(canvas.width()) * static_cast<size_t>(canvas.height()) * 3);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb c = canvas.at(x, y);
            rows.insert(rows.end(), {c.r, c.g, c.b});
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.width());
    image.height = static_cast<png_uint_32>(canvas.height());
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, file.c_str(), 0, rows.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw std::runtime_error("cannot write " + file.string() + ": " + reason);
    }
}

}  // namespace resgen
