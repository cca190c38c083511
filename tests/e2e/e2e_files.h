// What a game run leaves in its working directory: run.log, screenshots, resource trees.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tolm2/image.h"
#include "tolm2/viewport.h"

// Polls done every few milliseconds until it holds; false at the deadline.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
// Polls until run.log in the working directory holds a line equal to line; false at the
// deadline.
bool waitForLogLine(const std::string& line,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
// The lines of run.log without their line breaks; empty when the file is missing.
std::vector<std::string> logLines();
std::string lastLogLine();

// The fields of a BMP file header that tell its size and depth; all 0 for a file too
// short to be a BMP.
struct BmpHeader {
    uint32_t fileSize = 0;  // as written in the header, 0 until a writer has finished
    int32_t width = 0;
    int32_t height = 0;  // positive: rows stored bottom-up, as BMP readers expect
    uint16_t bitCount = 0;
};
BmpHeader readBmpHeader(const std::filesystem::path& file);
// True when file holds a whole BMP: the header's size is written and matches the file.
bool isCompleteBmp(const std::filesystem::path& file);

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};
// Reads a BMP as top-row-first pixels; throws runtime_error when it cannot be read.
Image loadPicture(const std::filesystem::path& file);
// Bounds-checked through Image::at.
Rgb pixelAt(const Image& image, int32_t x, int32_t y);
// The largest difference of one channel.
int distance(Rgb a, Rgb b);
// Pixels whose channels differ by more than tolerance; every pixel when the sizes differ.
size_t countDifferentPixels(const Image& a, const Image& b, int tolerance);

// The 640 x 480 picture shown in the rectangle picture of a window, as nearest filtering
// places it: the window pixel nearest logical pixel (x, y), the 640 x 480 picture read
// back from a window screenshot, and a 640 x 480 picture stretched to width x height.
struct WindowPixel {
    int x = 0, y = 0;
};
WindowPixel windowPixelOf(const ViewRect& picture, int x, int y);
Image logicalPicture(const Image& shot, const ViewRect& picture);
Image scaledPicture(const Image& picture, int32_t width, int32_t height);

// Every file and link under dir (recursively) by path: its bytes, or where it links to.
std::map<std::filesystem::path, std::string> folderContents(const std::filesystem::path& dir);

// Makes dir/resource a tree of symbolic links to the repository's resource files,
// leaving out the one file at the relative path excluded (e.g. "image/logo.bmp").
void linkResourcesWithout(const std::filesystem::path& dir, const std::string& excluded);
