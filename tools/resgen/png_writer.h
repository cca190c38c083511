// The PNG writer, for the pictures the desktop reads rather than the game.
#pragma once

#include <filesystem>

#include "bitmap.h"

namespace resgen {

// Writes the canvas as an opaque 8-bit RGB PNG with no time stamp, so equal canvases
// give equal files; throws std::runtime_error with libpng's reason on failure.
void writePng(const std::filesystem::path& file, const Canvas& canvas);

}  // namespace resgen
