// The font sheet's layout: drawn by tools/resgen, cut into glyphs by the game and its tests.
#pragma once

#include <string_view>

// Each glyph is a GLYPH_SIZE square cell, GLYPHS_PER_ROW cells to a row of the sheet.
inline constexpr int GLYPH_SIZE = 8;
inline constexpr int GLYPHS_PER_ROW = 16;
// The characters in the order of their cells; a character's place here is its cell.
inline constexpr std::string_view FONT_CHARS =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.()[]#$%&'\"!?^+-*/=;:";
inline constexpr int FONT_GLYPHS = static_cast<int>(FONT_CHARS.size());
