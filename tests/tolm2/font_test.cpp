// Text layout: cell positions, advances, dropped bytes and glyph lookup.
#include <gtest/gtest.h>

#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {
std::vector<int32_t> xs(const std::vector<GlyphCell>& cells) {
    std::vector<int32_t> result;
    for (const GlyphCell& c : cells) result.push_back(c.x);
    return result;
}
}  // namespace

TEST(FontLayout, GlyphCellsFollowTheCharacterTable) {
    EXPECT_EQ(glyphIndex('0'), 0);
    EXPECT_EQ(glyphIndex('A'), 10);
    EXPECT_EQ(glyphIndex('a'), 36);
    EXPECT_EQ(glyphIndex('"'), 72);
    EXPECT_EQ(glyphIndex(':'), 82);
    EXPECT_EQ(glyphIndex(' '), -1);
    EXPECT_EQ(glyphIndex('\0'), -1);
    EXPECT_EQ(glyphIndex('@'), -1);
    EXPECT_EQ(std::string(FONT_CHARS).size(), static_cast<size_t>(FONT_GLYPHS));
}

TEST(FontLayout, AdvancesOneCellPerByteUpTo0x7F) {
    EXPECT_EQ(xs(layoutText("SCORE", 10, 1.0f)), (std::vector<int32_t>{10, 18, 26, 34, 42}));
    // The space and unknown bytes leave an empty cell; a line feed is just unknown.
    EXPECT_EQ(xs(layoutText("A B", 0, 1.0f)), (std::vector<int32_t>{0, 16}));
    EXPECT_EQ(xs(layoutText("a\nb", 0, 1.0f)), (std::vector<int32_t>{0, 16}));
    // Bytes above 0x7F (here an accented e in UTF-8) draw nothing and do not advance.
    EXPECT_EQ(xs(layoutText("\xC3\xA9x", 0, 2.0f)), (std::vector<int32_t>{0}));
    EXPECT_EQ(xs(layoutText("ab", 0, 1.5f)), (std::vector<int32_t>{0, 12}));
    EXPECT_EQ(xs(layoutText("abc", 0, 1.3f)), (std::vector<int32_t>{0, 10, 20}));
}

using FontTest = FrameworkTest;

TEST_F(FontTest, DrawsOneRunWithCellSizeAndTextureCells) {
    headless::clearDrawCalls();
    Tolm_drawText("0:", 5, 7, 2.0f, 255, 0, 0, 128);
    const plat::GlyphRun* run = findText("0:");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->y, 7);
    EXPECT_FLOAT_EQ(run->cell, 16.0f);
    EXPECT_FLOAT_EQ(run->cs, 8.0f / 128.0f);
    ASSERT_EQ(run->cells.size(), 2u);
    EXPECT_EQ(run->cells[0].glyph, 0);
    EXPECT_EQ(run->cells[1].glyph, 82);
    EXPECT_EQ(run->cells[1].x, 21);
    EXPECT_EQ(run->r, 255);
    EXPECT_EQ(run->a, 128);
}
