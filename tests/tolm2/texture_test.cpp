// Colour keys of the three mask kinds, the keyed store's errors, and the drawn quads.
#include <gtest/gtest.h>

#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

constexpr uint32_t GREEN = 0xFF00FF00u;  // R 0, G 255, B 0, opaque
constexpr uint32_t RED = 0xFF0000FFu;
constexpr uint32_t WHITE = 0xFFFFFFFFu;

// A 3 x 1 picture: green, red, white.
void writeStrip(const std::string& file) {
    std::vector<uint8_t> rgb = {0, 255, 0, 255, 0, 0, 255, 255, 255};
    ASSERT_TRUE(plat::saveBmp24(file, 3, 1, rgb));
}

}  // namespace

TEST(ColorKey, MakesOnlyOpaquePixelsOfTheKeyTransparent) {
    Image image{2, 2, {GREEN, RED, GREEN & 0x00FFFFFFu, WHITE}};
    applyColorKey(image, colorKeyOf(0, 255, 0));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0, RED, GREEN & 0x00FFFFFFu, WHITE}));
    // c0 meets blue and c2 red: (255, 0, 0) keys pure blue, not pure red.
    Image colours{2, 1, {RED, 0xFFFF0000u}};
    applyColorKey(colours, colorKeyOf(255, 0, 0));
    EXPECT_EQ(colours.pixels, (std::vector<uint32_t>{RED, 0}));
    EXPECT_THROW(colours.at(2, 0), TolmError);
}

using TextureTest = FrameworkTest;

TEST_F(TextureTest, EachMaskKindKeysTheRightPixels) {
    writeStrip("strip.bmp");
    Tolm_loadTexture("green", "strip.bmp", MASK_GREEN);
    Tolm_loadTexture("none", "strip.bmp", MASK_NONE);
    Tolm_loadTexture("corner", "strip.bmp", {-2, 2, 0});
    Tolm_loadTexture("outside", "strip.bmp", {-2, 9999, 0});
    EXPECT_EQ(Tolm_findTexture("green")->getImage().pixels, (std::vector<uint32_t>{0, RED, WHITE}));
    EXPECT_EQ(Tolm_findTexture("none")->getImage().pixels, (std::vector<uint32_t>{GREEN, RED, WHITE}));
    EXPECT_EQ(Tolm_findTexture("corner")->getImage().pixels, (std::vector<uint32_t>{GREEN, RED, 0}));
    EXPECT_EQ(Tolm_findTexture("outside")->getImage().pixels, (std::vector<uint32_t>{GREEN, RED, WHITE}));
    EXPECT_EQ(Tolm_findTexture("corner")->getMask(), (Mask{-2, 2, 0}));
}

TEST_F(TextureTest, LoadingAKeyTwiceLeavesOneTexture) {
    const int before = headless::liveTextures();
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    EXPECT_EQ(headless::liveTextures(), before + 1);
}

TEST_F(TextureTest, StoreErrorsCarryTheirExactMessages) {
    EXPECT_EQ(errorOf([] { Tolm_loadTexture("x", "resource/none.bmp", MASK_GREEN); }),
              "Tolm_Texture::loadBmp : not found file: resource/none.bmp");
    EXPECT_EQ(Tolm_findTexture("x"), nullptr);
    EXPECT_EQ(errorOf([] { Tolm_loadTexture("x", "resource/image/logo.bmp", {-3, 0, 0}); }),
              "Tolm_loadTexture: Invalid parameter 'mask'");
    EXPECT_EQ(errorOf([] { Tolm_drawTexture("nope", 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1, 1); }),
              "Tolm_drawTexture: Has not exist key: nope");
    EXPECT_EQ(errorOf([] { Tolm_disposeTexture("nope"); }),
              "Tolm_disposeTexture: Has exist key: nope");
    Tolm_disposeTexture("");
    Tolm_disposeTexture("");  // an empty store is fine
}

TEST_F(TextureTest, AnInvalidMaskDropsTheOldTextureUnderTheKey) {
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    EXPECT_THROW(Tolm_loadTexture("logo", "resource/image/logo.bmp", {-5, 0, 0}), TolmError);
    EXPECT_EQ(Tolm_findTexture("logo"), nullptr);
}

TEST_F(TextureTest, DrawsTheSourceRectangleScaledAndTurned) {
    Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    const Texture& logo = *Tolm_findTexture("logo");
    const float w = static_cast<float>(logo.getWidth());
    headless::clearDrawCalls();
    Tolm_drawTexture("logo", 160, 120, 0, 0, 320, 320, 1, 1, 0, 255, 255, 255, 255);
    Tolm_drawTexture("logo", 10, 20, 64, 32, 32, 16, 2, 3, 90, 1, 2, 3, 4);
    Tolm_drawTexture("logo", 0, 0, 5, 5, 0, 7, 1.5f, 1.5f, 0, 255, 255, 255, 255);
    const auto quads = quadsOf("logo");
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].w, 320);
    EXPECT_FLOAT_EQ(quads[0].ds, 320 / w);
    EXPECT_FLOAT_EQ(quads[1].w, 64);
    EXPECT_FLOAT_EQ(quads[1].h, 48);
    EXPECT_FLOAT_EQ(quads[1].angle, 90);
    EXPECT_FLOAT_EQ(quads[1].s0, 64 / w);
    EXPECT_EQ(quads[1].a, 4);
    // A zero source side means the whole picture, at its own size times the scale.
    EXPECT_FLOAT_EQ(quads[2].w, w * 1.5f);
    EXPECT_FLOAT_EQ(quads[2].ds, 1.0f);
}

TEST_F(TextureTest, RebuildKeepsKeysFilesAndMasks) {
    Tolm_loadTexture("logo", "resource/image/logo.bmp", {-2, 0, 0});
    const uint32_t oldId = Tolm_findTexture("logo")->getId();
    Tolm_reloadTextures();
    const Texture* rebuilt = Tolm_findTexture("logo");
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_NE(rebuilt->getId(), oldId);
    EXPECT_EQ(rebuilt->getFileName(), "resource/image/logo.bmp");
    EXPECT_EQ(rebuilt->getMask(), (Mask{-2, 0, 0}));
}

// The headless layer's own reader: a 32-bit top-down picture with its masks reads right;
// every cut and every field pointing outside the file or at an unread kind is refused.
TEST_F(TextureTest, TheHeadlessBmpReaderReadsWhatItCanAndRefusesDamage) {
    writeStrip("strip.bmp");
    const std::string good = readFile("strip.bmp");
    Image image;
    const auto reads = [&](const std::string& bytes) {
        writeFile("damaged.bmp", bytes);
        return plat::loadBmp("damaged.bmp", image);
    };
    // 66 bytes: a 40-byte header, masks red 0xFF00, green 0xFF0000, blue 0xFF; rows top first.
    std::string top = good.substr(0, 54) + std::string("\0\xFF\0\0\0\0\xFF\0\xFF\0\0\0", 12);
    top += std::string("\0\0\xFF\0\0\xFF\0\0", 8);  // green, red
    top[10] = 66;
    top[22] = top[23] = top[24] = top[25] = '\xFF';  // height -1
    top[18] = 2;                                     // width 2
    top[28] = 32;                                    // 32 bits
    top[30] = 3;                                     // BI_BITFIELDS
    ASSERT_TRUE(reads(top));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{GREEN, RED}));
    for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_FALSE(reads(good.substr(0, cut))) << cut;
    for (const auto& [at, value] : std::vector<std::pair<size_t, char>>{
             {0, 'X'}, {10, 100}, {14, 20}, {19, 1}, {21, 0x7F}, {22, 0}, {28, 16}, {30, 1}}) {
        std::string damaged = good;
        damaged[at] = value;
        EXPECT_FALSE(reads(damaged)) << "byte " << at;
    }
}
