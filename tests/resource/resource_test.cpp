// The committed resource tree: exactly what resgen makes, laid out the way the game reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "tolm2/font_sheet.h"

namespace fs = std::filesystem;

namespace {

const char* const RESOURCE_FILES[] = {
    "ico.bmp",           "font/font.bmp",     "image/logo.bmp",     "image/tama.bmp",
    "image/menu.bmp",    "sound/select.wav",  "sound/l1.wav",       "sound/puwa.wav",
    "sound/damage.wav",  "sound/destroy2.wav", "sound/clear.wav",   "sound/bgm_mogmog.ogg",
    "sound/results.ogg",
};

constexpr int SAMPLE_RATE = 22050;

fs::path committed(const std::string& name) { return sourceDir() / "resource" / name; }

uint32_t le(const std::string& bytes, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes.at(at + static_cast<size_t>(i)));
    return v;
}

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
constexpr Rgb KEY{0, 255, 0};

// A 24-bit uncompressed BMP, read by hand; width and height stay 0 if it is anything else.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> px;

    explicit Picture(const std::string& name) {
        std::string b = readFile(committed(name));
        if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || le(b, 28, 2) != 24 || le(b, 30, 4) != 0) return;
        int w = static_cast<int>(le(b, 18, 4)), h = static_cast<int>(le(b, 22, 4));
        size_t offset = le(b, 10, 4), row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
        if (w <= 0 || h <= 0 || b.size() < offset + row * static_cast<size_t>(h)) return;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                size_t at = offset + row * static_cast<size_t>(h - 1 - y) + static_cast<size_t>(x) * 3;
                px.push_back({static_cast<uint8_t>(b[at + 2]), static_cast<uint8_t>(b[at + 1]), static_cast<uint8_t>(b[at])});
            }
        width = w;
        height = h;
    }
    Rgb at(int x, int y) const { return px.at(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)); }
    // Share of the rectangle's pixels that are not the key colour.
    double inked(int x, int y, int w, int h) const {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) n += at(i, j) == KEY ? 0 : 1;
        return static_cast<double>(n) / (w * h);
    }
    // Mean colour of the rectangle's non-key pixels.
    Rgb mean(int x, int y, int w, int h) const {
        long r = 0, g = 0, b = 0, n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (!(at(i, j) == KEY)) r += at(i, j).r, g += at(i, j).g, b += at(i, j).b, ++n;
        if (n == 0) return KEY;
        return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
    }
    std::vector<Rgb> cut(int x, int y, int w, int h) const {
        std::vector<Rgb> out;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) out.push_back(at(i, j));
        return out;
    }
};

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

std::set<std::string> filesUnder(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).generic_string());
    return names;
}

}  // namespace

TEST(ResourceTree, IsExactlyWhatTheGeneratorMakes) {
    ScratchDir scratch(false);
    std::string command = std::string("\"") + RESGEN_PATH + "\" \"" + scratch.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const fs::path made = scratch.path() / "resource";
    std::set<std::string> expected(std::begin(RESOURCE_FILES), std::end(RESOURCE_FILES));
    EXPECT_EQ(filesUnder(made), expected);
    EXPECT_EQ(filesUnder(sourceDir() / "resource"), expected);
    for (const std::string& name : expected) {
        std::string fresh = readFile(made / name);
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == readFile(committed(name))) << name << " differs from the generator's output";
    }
}

TEST(ResourcePictures, HaveTheSizesTheGameDrawsFrom) {
    const struct {
        const char* name;
        int width, height;
    } sizes[] = {{"ico.bmp", 32, 32}, {"font/font.bmp", 128, 64}, {"image/logo.bmp", 512, 512},
                 {"image/tama.bmp", 256, 256}, {"image/menu.bmp", 256, 256}};
    for (const auto& s : sizes) {
        Picture p(s.name);
        EXPECT_EQ(p.width, s.width) << s.name;
        EXPECT_EQ(p.height, s.height) << s.name;
        EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height)) << s.name;
    }
    // The icon is shown without a colour key, so no pixel may be the key green.
    Picture icon("ico.bmp");
    EXPECT_EQ(icon.inked(0, 0, 32, 32), 1.0);
}

TEST(ResourceFont, HasOneWhiteGlyphOnGreenPerCharacterAndNothingElse) {
    Picture font("font/font.bmp");
    ASSERT_EQ(font.width, 128);
    for (const Rgb& c : font.px) EXPECT_TRUE(c == KEY || c == (Rgb{255, 255, 255}));
    EXPECT_TRUE(font.at(0, 0) == KEY);  // the background is the key colour

    std::vector<std::vector<Rgb>> glyphs;
    for (int cell = 0; cell < 16 * 8; ++cell) {
        int x = cell % 16 * 8, y = cell / 16 * 8;
        if (cell < static_cast<int>(FONT_CHARS.size())) {
            EXPECT_GT(font.inked(x, y, 8, 8), 0.0) << "glyph '" << FONT_CHARS[static_cast<size_t>(cell)] << "' is empty";
            glyphs.push_back(font.cut(x, y, 8, 8));
        } else {
            EXPECT_EQ(font.inked(x, y, 8, 8), 0.0) << "cell " << cell << " past the table is not empty";
        }
    }
    // Every glyph differs from every other (0/O, 1/l/I and 5/S included).
    for (size_t i = 0; i < glyphs.size(); ++i)
        for (size_t j = i + 1; j < glyphs.size(); ++j)
            EXPECT_FALSE(glyphs[i] == glyphs[j]) << FONT_CHARS[i] << " looks like " << FONT_CHARS[j];
}

TEST(ResourceTama, CardFacesReadAsTheirColourWithACalmNumberPanel) {
    Picture tama("image/tama.bmp");
    ASSERT_EQ(tama.width, 256);
    std::vector<std::vector<Rgb>> faces;
    for (int color = 0; color < 3; ++color) {
        int x = 64 + 32 * color;
        EXPECT_GT(tama.inked(x, 32, 32, 32), 0.9) << color;
        faces.push_back(tama.cut(x, 32, 32, 32));
        // The game writes light digits on cell pixels 8..23: keep that area opaque and dark.
        EXPECT_EQ(tama.inked(x + 8, 40, 16, 16), 1.0) << color;
        Rgb panel = tama.mean(x + 8, 40, 16, 16);
        EXPECT_LT(panel.r + panel.g + panel.b, 3 * 70) << color;
    }
    Rgb red = tama.mean(64, 32, 32, 32), green = tama.mean(96, 32, 32, 32), yellow = tama.mean(128, 32, 32, 32);
    // Each face's mean colour is clearly of its hue.
    auto over = [](int a, int b) { return 2 * a > 3 * b; };
    EXPECT_TRUE(over(red.r, red.g) && over(red.r, red.b));
    EXPECT_TRUE(over(green.g, green.r) && over(green.g, green.b));
    EXPECT_TRUE(over(yellow.r, yellow.b) && over(yellow.g, yellow.b));
    EXPECT_FALSE(faces[0] == faces[1] || faces[1] == faces[2] || faces[0] == faces[2]);
}

TEST(ResourceTama, EveryRegionIsDrawnAndEverythingElseIsTransparent) {
    Picture tama("image/tama.bmp");
    ASSERT_EQ(tama.width, 256);
    struct Region {
        int x, y, w, h;
    };
    std::vector<Region> regions = {
        {64, 32, 32, 32}, {96, 32, 32, 32}, {128, 32, 32, 32},  // faces
        {192, 32, 32, 32},                                      // back
        {224, 32, 32, 32},                                      // empty combo-box entry
        {64, 0, 32, 32}, {96, 0, 32, 32},                       // hover, picked
        {128, 0, 4, 4},                                         // spark
    };
    for (int row = 0; row < 5; ++row)
        for (int f = 0; f < 3; ++f) regions.push_back({16 * f, 96 + 16 * row, 16, 16});
    for (const Region& r : regions) EXPECT_GT(tama.inked(r.x, r.y, r.w, r.h), 0.0) << r.x << "," << r.y;

    std::vector<bool> used(256 * 256, false);
    for (const Region& r : regions)
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) used[static_cast<size_t>(y * 256 + x)] = true;
    int stray = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) stray += !used[static_cast<size_t>(y * 256 + x)] && !(tama.at(x, y) == KEY);
    EXPECT_EQ(stray, 0);

    // Hover and picked frames let the card underneath show through.
    EXPECT_LT(tama.inked(64, 0, 32, 32), 0.4);
    EXPECT_LT(tama.inked(96, 0, 32, 32), 0.5);
    EXPECT_LT(tama.inked(64 + 8, 8, 16, 16), 0.01);
    EXPECT_LT(tama.inked(96 + 8, 8, 16, 16), 0.01);
    // The back and the empty entry differ from the faces and from each other.
    EXPECT_FALSE(tama.cut(192, 32, 32, 32) == tama.cut(224, 32, 32, 32));
}

TEST(ResourceTama, BonusIconsAnimateAndDifferByRow) {
    Picture tama("image/tama.bmp");
    ASSERT_EQ(tama.width, 256);
    for (int row = 0; row < 5; ++row) {
        auto frame = [&](int f) { return tama.cut(16 * f, 96 + 16 * row, 16, 16); };
        EXPECT_FALSE(frame(0) == frame(1) || frame(1) == frame(2) || frame(0) == frame(2)) << "row " << row;
        for (int other = row + 1; other < 5; ++other)
            EXPECT_FALSE(frame(0) == tama.cut(0, 96 + 16 * other, 16, 16)) << row << " vs " << other;
    }
}

TEST(ResourceLogo, FillsOnlyTheDrawnCorner) {
    Picture logo("image/logo.bmp");
    ASSERT_EQ(logo.width, 512);
    EXPECT_GT(logo.inked(0, 0, 320, 320), 0.3);
    EXPECT_TRUE(logo.at(0, 319) == KEY);  // transparent around the artwork
    EXPECT_EQ(logo.inked(320, 0, 192, 512), 0.0);
    EXPECT_EQ(logo.inked(0, 320, 320, 192), 0.0);
    Picture menu("image/menu.bmp");
    EXPECT_TRUE(menu.at(0, 0) == KEY);
}

TEST(ResourceSounds, AreShort22kHz16BitPcmThatStartAndEndAtRest) {
    const char* const names[] = {"select", "l1", "puwa", "damage", "destroy2", "clear"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::string w = readFile(committed(std::string("sound/") + name + ".wav"));
        ASSERT_GE(w.size(), 44u);
        EXPECT_EQ(w.substr(0, 4), "RIFF");
        EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le(w, 20, 2), 1u);  // PCM
        uint32_t channels = le(w, 22, 2);
        EXPECT_TRUE(channels == 1 || channels == 2);
        EXPECT_EQ(le(w, 24, 4), static_cast<uint32_t>(SAMPLE_RATE));
        EXPECT_EQ(le(w, 34, 2), 16u);
        EXPECT_EQ(w.substr(36, 4), "data");
        uint32_t bytes = le(w, 40, 4);
        ASSERT_EQ(w.size(), 44u + bytes);
        double seconds = bytes / (2.0 * channels * SAMPLE_RATE);
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 1.0);
        auto sample = [&](size_t i) { return static_cast<int16_t>(le(w, 44 + 2 * i, 2)); };
        EXPECT_LT(std::abs(sample(0)), 300);
        EXPECT_LT(std::abs(sample(bytes / 2 - 1)), 300);
    }
    auto wav = [](const char* name) { return readFile(committed(std::string("sound/") + name + ".wav")); };
    for (size_t i = 0; i < std::size(names); ++i)
        for (size_t j = i + 1; j < std::size(names); ++j) EXPECT_NE(wav(names[i]), wav(names[j]));
}

namespace {

// Walks the Ogg pages; returns the granule position (total samples) of the last page.
int64_t oggSamples(const std::string& bytes, bool& endMarked) {
    size_t at = 0;
    int64_t granule = -1;
    endMarked = false;
    while (at < bytes.size()) {
        if (bytes.compare(at, 4, "OggS") != 0 || at + 27 > bytes.size()) return -1;
        size_t segments = static_cast<uint8_t>(bytes[at + 26]), body = 0;
        for (size_t i = 0; i < segments; ++i) body += static_cast<uint8_t>(bytes.at(at + 27 + i));
        granule = static_cast<int64_t>(le(bytes, at + 6, 4)) | static_cast<int64_t>(le(bytes, at + 10, 4)) << 32;
        endMarked = (bytes[at + 5] & 0x04) != 0;
        at += 27 + segments + body;
    }
    return at == bytes.size() ? granule : -1;
}

}  // namespace

TEST(ResourceMusic, IsOggVorbisOfTheRightLength) {
    std::string bgm = readFile(committed("sound/bgm_mogmog.ogg"));
    std::string jingle = readFile(committed("sound/results.ogg"));
    for (const std::string* ogg : {&bgm, &jingle}) {
        EXPECT_EQ(ogg->substr(0, 4), "OggS");
        // The Vorbis identification header: version, channels, sample rate.
        size_t id = ogg->find("\x01vorbis");
        ASSERT_NE(id, std::string::npos);
        EXPECT_LE(le(*ogg, id + 11, 1), 2u);
        EXPECT_EQ(le(*ogg, id + 12, 4), static_cast<uint32_t>(SAMPLE_RATE));
    }

    bool ended = false;
    int64_t samples = oggSamples(bgm, ended);
    EXPECT_TRUE(ended);
    EXPECT_GE(samples, 30 * SAMPLE_RATE);
    EXPECT_LE(samples, 60 * SAMPLE_RATE);
    // The loop is a whole number of 4/4 bars at 150 beats a minute, so it repeats in time.
    constexpr int64_t bar = SAMPLE_RATE * 60 / 150 * 4;
    EXPECT_EQ(samples % bar, 0);

    samples = oggSamples(jingle, ended);
    EXPECT_TRUE(ended);
    EXPECT_GE(samples, 3 * SAMPLE_RATE);
    EXPECT_LE(samples, 6 * SAMPLE_RATE);
}
