// Bitmap-font text: one 8 x 8 cell per byte, looked up in FONT_CHARS.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int GLYPH_SIZE = 8;
inline constexpr int GLYPHS_PER_ROW = 16;
inline constexpr const char* FONT_CHARS =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.()[]#$%&'\"!?^+-*/=;:";
inline constexpr int FONT_GLYPHS = 83;
inline constexpr const char* FONT_FILE = "resource/font/font.bmp";

// Cell index of a byte in FONT_CHARS, or -1.
int glyphIndex(unsigned char c);

// One drawn cell of a line of text: its left edge and its glyph's cell index.
struct GlyphCell {
    int32_t x;
    int glyph;
};

// Lays out text from x: bytes above 0x7F are dropped, the space and unknown bytes
// advance an empty cell, every other byte gets a cell; each step is trunc(scale * 8).
std::vector<GlyphCell> layoutText(const std::string& text, int32_t x, float scale);

// Draws text with the top-left of its first cell at (x, y), cells scale * 8 square.
void Tolm_drawText(const std::string& text, int32_t x, int32_t y, float scale, int r, int g, int b,
                   int a);

// The font texture; built by Tolm_init and rebuilt by Tolm_reloadTextures.
void Tolm_loadFont();
void Tolm_destroyFont();
