// Bitmap-font text: one 8 x 8 cell per byte, looked up in FONT_CHARS.
#pragma once

#include <cstdint>
#include <string>

#include "tolm2/font_sheet.h"

inline constexpr const char* FONT_FILE = "resource/font/font.bmp";

// Draws text with the top-left of its first cell at (x, y), cells scale * 8 square.
void Tolm_drawText(const std::string& text, int32_t x, int32_t y, float scale, int r, int g, int b,
                   int a);
