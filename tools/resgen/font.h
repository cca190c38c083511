// The game's 8x8 bitmap font: glyph shapes and the font sheet picture.
#pragma once

#include <string_view>

#include "bitmap.h"
#include "tolm2/font_sheet.h"

namespace resgen {

// True where glyph c has ink at column x, row y of its cell; false for characters the font
// lacks and for positions outside the cell. Throws std::logic_error if the glyph table is
// malformed (caught on the first call, so every run fails the same way).
bool glyphInk(char c, int x, int y);

// The font sheet for "resource/font/font.bmp": white glyphs on KEY, 128 x 64.
Canvas makeFontSheet();

// Writes text with the glyphs, each glyph pixel a scale x scale block, one cell per
// character like the game does; characters the font lacks leave a blank cell.
void drawText(Canvas& canvas, int x, int y, std::string_view text, int scale, Rgb colour);

}  // namespace resgen
