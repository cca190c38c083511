// Reading run.log and screenshots, and building partial resource trees, for the e2e tests.
#include "e2e_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "support/scratch.h"
#include "tolm2/platform/platform.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

inline constexpr const char* LOG_NAME = "run.log";
inline constexpr size_t BMP_HEADER_BYTES = 54;
inline constexpr auto POLL_INTERVAL = 20ms;

uint32_t littleEndian(const std::string& bytes, size_t offset, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
    }
    return value;
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return true;
}

bool waitForLogLine(const std::string& line, std::chrono::milliseconds timeout) {
    return waitUntil([&line] {
        const std::vector<std::string> lines = logLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }, timeout);
}

std::vector<std::string> logLines() {
    std::vector<std::string> lines;
    std::ifstream in(LOG_NAME, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string lastLogLine() {
    const std::vector<std::string> lines = logLines();
    return lines.empty() ? std::string() : lines.back();
}

BmpHeader readBmpHeader(const fs::path& file) {
    const std::string bytes = readFile(file);
    BmpHeader header;
    if (bytes.size() < BMP_HEADER_BYTES || bytes.compare(0, 2, "BM") != 0) return header;
    header.fileSize = littleEndian(bytes, 2, 4);
    header.width = static_cast<int32_t>(littleEndian(bytes, 18, 4));
    header.height = static_cast<int32_t>(littleEndian(bytes, 22, 4));
    header.bitCount = static_cast<uint16_t>(littleEndian(bytes, 28, 2));
    return header;
}

bool isCompleteBmp(const fs::path& file) {
    std::error_code error;
    const uintmax_t size = fs::file_size(file, error);
    if (error || size < BMP_HEADER_BYTES) return false;
    // The writer fills in the file size last, so a matching size means it has finished.
    return readBmpHeader(file).fileSize == size;
}

Image loadPicture(const fs::path& file) {
    Image image;
    if (!plat::loadBmp(file.string(), image)) {
        throw std::runtime_error("cannot read picture " + file.string());
    }
    return image;
}

Rgb pixelAt(const Image& image, int32_t x, int32_t y) {
    const uint32_t pixel = image.at(x, y);
    return Rgb{static_cast<int>(pixel & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
               static_cast<int>((pixel >> 16) & 0xFF)};
}

int distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

WindowPixel windowPixelOf(const ViewRect& picture, int x, int y) {
    const auto along = [](int logical, int32_t offset, int32_t span, int32_t size) {
        return static_cast<int>(offset + int64_t{2 * logical + 1} * span / (2 * size));
    };
    return {along(x, picture.x, picture.w, 640), along(y, picture.y, picture.h, 480)};
}

Image logicalPicture(const Image& shot, const ViewRect& picture) {
    Image out{640, 480, std::vector<uint32_t>(640u * 480u)};
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const WindowPixel at = windowPixelOf(picture, x, y);
            out.at(x, y) = shot.at(at.x, at.y);
        }
    }
    return out;
}

Image scaledPicture(const Image& picture, int32_t width, int32_t height) {
    // Each window pixel shows the logical pixel under its centre.
    const auto under = [](int32_t pixel, int32_t size, int32_t logical) {
        return static_cast<int32_t>((2 * int64_t{pixel} + 1) * logical / (2 * size));
    };
    Image out{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            out.at(x, y) = picture.at(under(x, width, 640), under(y, height, 480));
        }
    }
    return out;
}

size_t countDifferentPixels(const Image& a, const Image& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return a.pixels.size();
    size_t different = 0;
    for (int32_t y = 0; y < a.height; ++y) {
        for (int32_t x = 0; x < a.width; ++x) {
            if (distance(pixelAt(a, x, y), pixelAt(b, x, y)) > tolerance) ++different;
        }
    }
    return different;
}

void linkResourcesWithout(const fs::path& dir, const std::string& excluded) {
    const fs::path source = sourceDir() / "resource";
    const fs::path target = dir / "resource";
    fs::create_directory(target);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const fs::path relative = fs::relative(entry.path(), source);
        if (entry.is_directory()) {
            fs::create_directory(target / relative);
        } else if (relative != fs::path(excluded)) {
            fs::create_symlink(entry.path(), target / relative);
        }
    }
}

std::map<fs::path, std::string> folderContents(const fs::path& dir) {
    std::map<fs::path, std::string> contents;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_symlink()) {
            contents[entry.path()] = "-> " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            contents[entry.path()] = readFile(entry.path());
        } else {
            contents[entry.path()] = "folder";
        }
    }
    return contents;
}

