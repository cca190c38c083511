// Bitmap-font text: one 8 x 8 cell per byte, looked up in FONT_CHARS.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int GLYPH_SIZE = 8;
inline constexpr int GLYPHS_PER_ROW = 16;
inline constexpr const char* FONT_CHARS =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.()[]#$%&'\"!?^+-*/=;:";
inline constexpr int FONT_GLYPHS = 83;
inline constexpr const char* FONT_FILE = "resource/font/font.bmp";

// Draws text with the top-left of its first cell at (x, y), cells scale * 8 square.
void Tolm_drawText(const std::string& text, int32_t x, int32_t y, float scale, int r, int g, int b,
                   int a);
