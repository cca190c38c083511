// Bitmap-font text: layout of a line of bytes into glyph cells, and its drawing.
#include "tolm2/font.h"

#include <memory>

#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"
#include "tolm2/texture.h"

namespace {
std::unique_ptr<Texture> font;

uint8_t channel(int value) { return static_cast<uint8_t>(value); }
}  // namespace

int glyphIndex(unsigned char c) {
    const size_t found = FONT_CHARS.find(static_cast<char>(c));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

std::vector<GlyphCell> layoutText(const std::string& text, int32_t x, float scale) {
    const int32_t step = static_cast<int32_t>(scale * static_cast<float>(GLYPH_SIZE));
    std::vector<GlyphCell> cells;
    cells.reserve(text.size());
    for (const char byte : text) {
        const unsigned char c = static_cast<unsigned char>(byte);
        if (c > 0x7F) continue;
        const int glyph = glyphIndex(c);
        if (c != ' ' && glyph >= 0) cells.push_back({x, glyph});
        x += step;
    }
    return cells;
}

void Tolm_drawText(const std::string& text, int32_t x, int32_t y, float scale, int r, int g, int b,
                   int a) {
    if (!font) return;
    plat::GlyphRun run{};
    run.texture = font->getId();
    run.text = text;
    run.y = y;
    run.cell = scale * static_cast<float>(GLYPH_SIZE);
    run.cs = static_cast<float>(GLYPH_SIZE) / static_cast<float>(font->getWidth());
    run.ct = static_cast<float>(GLYPH_SIZE) / static_cast<float>(font->getHeight());
    for (const GlyphCell& cell : layoutText(text, x, scale)) run.cells.push_back({cell.x, cell.glyph});
    run.r = channel(r);
    run.g = channel(g);
    run.b = channel(b);
    run.a = channel(a);
    plat::drawGlyphRun(run);
}

void Tolm_loadFont() { font = std::make_unique<Texture>(FONT_FILE, 0, 255, 0); }

void Tolm_destroyFont() { font.reset(); }
