// Screen reading for the end-to-end tests: glyph matching against the font sheet, card
// digits by their colour, card faces by the balance of their ring's colours.
#include "board_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include "support/scratch.h"
#include "tolm2/font_sheet.h"

namespace {

constexpr const char* FONT_SHEET = "resource/font/font.bmp";
constexpr int GLYPH = GLYPH_SIZE;
constexpr int CARD_NUMBER_OFFSET = 8;
constexpr float CARD_NUMBER_SCALE = 2.0f;
// Text is drawn opaque through nearest sampling, so its pixels are its colour exactly;
// the slack only absorbs a reader's rounding.
constexpr int TEXT_TOLERANCE = 4;

// HUD places.
constexpr int CLOCK_X = 50;
constexpr int CLOCK_Y = 30;
constexpr float CLOCK_SCALE = 2.0f;
constexpr int SCORE_X = 410;
constexpr int SCORE_Y = 110;
constexpr float SCORE_SCALE = 4.0f;

// Pick preview: the teal box, and the picked card three times enlarged inside it.
constexpr Rgb TEAL{0, 100, 100};
constexpr std::array<std::pair<int, int>, 3> PREVIEW_BOX_PIXELS{
    {{441, 186}, {558, 298}, {441, 298}}};
constexpr int PREVIEW_FACE_X = 452;
constexpr int PREVIEW_FACE_Y = 195;
constexpr int PREVIEW_SIDE = 96;
constexpr int PREVIEW_NUMBER_X = 476;
constexpr int PREVIEW_NUMBER_Y = 219;
constexpr float PREVIEW_NUMBER_SCALE = 6.0f;

// Faces: pixels darker than this are the card's black middle or the board.
constexpr int DARK = 40;
constexpr int EMPTY_LEVEL = 16;
// A card back at alpha 180 is mostly a purple whose blue leads red and green by 55 or
// more; no face does, and of the number colours 0 comes nearest with a lead of 42.
constexpr int BACK_BLUE_LOW = 80;
constexpr int BACK_BLUE_HIGH = 150;
constexpr int BACK_BLUE_LEAD = 50;
constexpr int BACK_SHARE_PERCENT = 45;

using Glyph = std::array<bool, GLYPH * GLYPH>;

const Image& fontSheet() {
    static const Image sheet = loadPicture(sourceDir() / FONT_SHEET);
    return sheet;
}

// The inked texels of the glyph of c, row by row; nullopt for a byte the font lacks.
std::optional<Glyph> glyphOf(char c) {
    const size_t found = FONT_CHARS.find(c);
    if (found == std::string_view::npos) return std::nullopt;
    const int index = static_cast<int>(found);
    const int left = (index % GLYPHS_PER_ROW) * GLYPH;
    const int top = (index / GLYPHS_PER_ROW) * GLYPH;
    Glyph glyph{};
    for (int ty = 0; ty < GLYPH; ++ty) {
        for (int tx = 0; tx < GLYPH; ++tx) {
            glyph.at(static_cast<size_t>(ty * GLYPH + tx)) =
                distance(pixelAt(fontSheet(), left + tx, top + ty), WHITE_TEXT) == 0;
        }
    }
    return glyph;
}

const Glyph& digitGlyph(int n) {
    static const std::array<Glyph, 10> digits = [] {
        std::array<Glyph, 10> all{};
        for (int d = 0; d < 10; ++d)
            all.at(static_cast<size_t>(d)) = *glyphOf(static_cast<char>('0' + d));
        return all;
    }();
    return digits.at(static_cast<size_t>(n));
}

bool inside(const Image& shot, int x, int y, int w, int h) {
    return x >= 0 && y >= 0 && x + w <= shot.width && y + h <= shot.height;
}

bool isColour(const Image& shot, int x, int y, Rgb colour) {
    return distance(pixelAt(shot, x, y), colour) <= TEXT_TOLERANCE;
}

// The pixels that show texel t of a cell drawn from origin at scale: the whole block for
// a whole scale, otherwise the one pixel whose centre samples the texel's middle.
std::pair<int, int> texelSpan(int origin, float scale, int t) {
    const float whole = std::round(scale);
    if (std::fabs(scale - whole) < 1e-6f) {
        const int side = static_cast<int>(whole);
        return {origin + side * t, side};
    }
    const float centre = scale * static_cast<float>(t) + scale / 2.0f;
    return {origin + static_cast<int>(std::floor(centre)), 1};
}

// Texels of the glyph drawn at (x, y) whose pixels do not all look right: inked ones
// in the colour, blank ones not; every texel when the cell leaves the picture.
int glyphMisses(const Image& shot, const Glyph& glyph, int x, int y, float scale, Rgb colour,
                int enough) {
    const int side = static_cast<int>(std::ceil(scale * GLYPH));
    if (!inside(shot, x, y, side, side)) return GLYPH * GLYPH;
    int misses = 0;
    for (int ty = 0; ty < GLYPH && misses < enough; ++ty) {
        const auto [top, rows] = texelSpan(y, scale, ty);
        for (int tx = 0; tx < GLYPH && misses < enough; ++tx) {
            const auto [left, columns] = texelSpan(x, scale, tx);
            const bool ink = glyph.at(static_cast<size_t>(ty * GLYPH + tx));
            bool right = true;
            for (int py = top; py < top + rows && right; ++py) {
                for (int px = left; px < left + columns && right; ++px) {
                    right = isColour(shot, px, py, colour) == ink;
                }
            }
            if (!right) ++misses;
        }
    }
    return misses;
}

bool glyphMatches(const Image& shot, const Glyph& glyph, int x, int y, float scale, Rgb colour) {
    return glyphMisses(shot, glyph, x, y, scale, colour, 1) == 0;
}

bool cellIsBlank(const Image& shot, int x, int y, float scale, Rgb colour) {
    const int side = static_cast<int>(std::ceil(scale * GLYPH));
    for (int py = std::max(0, y); py < std::min(shot.height, y + side); ++py) {
        for (int px = std::max(0, x); px < std::min(shot.width, x + side); ++px) {
            if (isColour(shot, px, py, colour)) return false;
        }
    }
    return true;
}

int cellStep(float scale) { return static_cast<int>(scale * GLYPH); }

std::optional<int> digitIn(const Image& shot, int x, int y, float scale, Rgb colour) {
    for (int d = 0; d < 10; ++d) {
        if (glyphMatches(shot, digitGlyph(d), x, y, scale, colour)) return d;
    }
    return std::nullopt;
}

// The colour balance of a square picture's outer ring; the middle half holds the number.
Face faceIn(const Image& shot, int x, int y, int side) {
    if (!inside(shot, x, y, side, side)) return Face::UNKNOWN;
    long red = 0, green = 0, blue = 0, counted = 0;
    for (int v = 0; v < side; ++v) {
        for (int u = 0; u < side; ++u) {
            const bool middle =
                u >= side / 4 && u < side * 3 / 4 && v >= side / 4 && v < side * 3 / 4;
            if (middle) continue;
            const Rgb p = pixelAt(shot, x + u, y + v);
            if (std::max({p.r, p.g, p.b}) < DARK) continue;
            red += p.r;
            green += p.g;
            blue += p.b;
            ++counted;
        }
    }
    // A face fills most of its ring with colour; a few bright pixels are sparks or noise.
    if (counted * 3 < static_cast<long>(side) * side) return Face::UNKNOWN;
    if (blue > red && blue > green) return Face::BACK;
    if (red * 2 > green * 3) return Face::RED;
    if (green * 2 > red * 3) return Face::GREEN;
    return Face::YELLOW;
}

}  // namespace

const char* faceName(Face face) {
    switch (face) {
        case Face::RED:
            return "red";
        case Face::GREEN:
            return "green";
        case Face::YELLOW:
            return "yellow";
        case Face::BACK:
            return "back";
        case Face::UNKNOWN:
            break;
    }
    return "unknown";
}

bool showsText(const Image& shot, const std::string& text, int x, int y, float scale, Rgb colour) {
    int cellX = x;
    for (const char c : text) {
        if (c != ' ') {
            const std::optional<Glyph> glyph = glyphOf(c);
            if (!glyph || !glyphMatches(shot, *glyph, cellX, y, scale, colour)) return false;
        }
        cellX += cellStep(scale);
    }
    return true;
}

double textMismatch(const Image& shot, const std::string& text, int x, int y, float scale,
                    Rgb colour) {
    int misses = 0;
    int texels = 0;
    int cellX = x;
    for (const char c : text) {
        if (c != ' ') {
            const std::optional<Glyph> glyph = glyphOf(c);
            misses += glyph ? glyphMisses(shot, *glyph, cellX, y, scale, colour, GLYPH * GLYPH)
                            : GLYPH * GLYPH;
            texels += GLYPH * GLYPH;
        }
        cellX += cellStep(scale);
    }
    return texels == 0 ? 0.0 : static_cast<double>(misses) / texels;
}

std::optional<std::string> readDigits(const Image& shot, int x, int y, float scale, Rgb colour) {
    std::string digits;
    for (int cellX = x;; cellX += cellStep(scale)) {
        const std::optional<int> digit = digitIn(shot, cellX, y, scale, colour);
        if (!digit) {
            if (digits.empty() || !cellIsBlank(shot, cellX, y, scale, colour)) return std::nullopt;
            return digits;
        }
        digits += static_cast<char>('0' + *digit);
    }
}

std::optional<int> readClock(const Image& shot) {
    if (!showsText(shot, "TIME", CLOCK_X, CLOCK_Y, CLOCK_SCALE, WHITE_TEXT)) return std::nullopt;
    const int step = cellStep(CLOCK_SCALE);
    // "TIME mm:ss:ff": the digit pairs start in cells 5, 8 and 11.
    std::array<int, 3> fields{};
    for (size_t field = 0; field < fields.size(); ++field) {
        const int cell = 5 + 3 * static_cast<int>(field);
        if (field > 0 &&
            !showsText(shot, ":", CLOCK_X + (cell - 1) * step, CLOCK_Y, CLOCK_SCALE, WHITE_TEXT)) {
            return std::nullopt;
        }
        for (int k = 0; k < 2; ++k) {
            const std::optional<int> digit =
                digitIn(shot, CLOCK_X + (cell + k) * step, CLOCK_Y, CLOCK_SCALE, WHITE_TEXT);
            if (!digit) return std::nullopt;
            fields.at(field) = fields.at(field) * 10 + *digit;
        }
    }
    return fields.at(0) * 3600 + fields.at(1) * 60 + fields.at(2);
}

std::optional<long> readScore(const Image& shot) {
    const std::optional<std::string> digits =
        readDigits(shot, SCORE_X, SCORE_Y, SCORE_SCALE, WHITE_TEXT);
    if (!digits) return std::nullopt;
    return std::stol(*digits);
}

Rgb numberColour(int n) { return Rgb{63 * (n % 4 + 1), 85 * (n % 3 + 1), 127 * (n % 2 + 1)}; }

std::optional<int> numberOnCard(const Image& shot, int x, int y) {
    for (int n = 0; n < 10; ++n) {
        if (glyphMatches(shot, digitGlyph(n), x + CARD_NUMBER_OFFSET, y + CARD_NUMBER_OFFSET,
                         CARD_NUMBER_SCALE, numberColour(n))) {
            return n;
        }
    }
    return std::nullopt;
}

Face faceOfCard(const Image& shot, int x, int y) { return faceIn(shot, x, y, CARD_SIDE); }

std::vector<SeenCard> findCards(const Image& shot) {
    std::vector<SeenCard> cards;
    const int left = std::max(0, BOARD_LEFT);
    const int top = std::max(0, BOARD_TOP);
    const int right = std::min(shot.width, BOARD_LEFT + BOARD_SIDE);
    const int bottom = std::min(shot.height, BOARD_TOP + BOARD_SIDE);
    for (int n = 0; n < 10; ++n) {
        const Glyph& glyph = digitGlyph(n);
        const auto first =
            static_cast<int>(std::find(glyph.begin(), glyph.end(), true) - glyph.begin());
        const int firstX = (first % GLYPH) * 2;
        const int firstY = (first / GLYPH) * 2;
        std::set<std::pair<int, int>> tried;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (!isColour(shot, x, y, numberColour(n))) continue;
                // Guess that this is the top-left pixel of the glyph's first inked texel.
                const std::pair<int, int> origin{x - firstX, y - firstY};
                if (!tried.insert(origin).second) continue;
                if (!glyphMatches(shot, glyph, origin.first, origin.second, CARD_NUMBER_SCALE,
                                  numberColour(n))) {
                    continue;
                }
                const int cardX = origin.first - CARD_NUMBER_OFFSET;
                const int cardY = origin.second - CARD_NUMBER_OFFSET;
                cards.push_back({cardX, cardY, n, faceOfCard(shot, cardX, cardY)});
            }
        }
    }
    std::sort(cards.begin(), cards.end(), [](const SeenCard& a, const SeenCard& b) {
        return std::make_pair(a.y, a.x) < std::make_pair(b.y, b.x);
    });
    return cards;
}

std::vector<SeenCard> findBacks(const Image& shot) {
    const int side = BOARD_SIDE;
    if (!inside(shot, BOARD_LEFT, BOARD_TOP, side, side)) return {};
    // Running sums of the purple pixels, so that every 32 x 32 window is counted at once.
    std::vector<int> sums(static_cast<size_t>((side + 1) * (side + 1)), 0);
    const auto sumAt = [&](int u, int v) -> int& {
        return sums.at(static_cast<size_t>(v * (side + 1) + u));
    };
    for (int v = 0; v < side; ++v) {
        for (int u = 0; u < side; ++u) {
            const Rgb p = pixelAt(shot, BOARD_LEFT + u, BOARD_TOP + v);
            const bool purple = p.b >= BACK_BLUE_LOW && p.b <= BACK_BLUE_HIGH &&
                                p.b - p.r > BACK_BLUE_LEAD && p.b - p.g > BACK_BLUE_LEAD;
            sumAt(u + 1, v + 1) =
                (purple ? 1 : 0) + sumAt(u, v + 1) + sumAt(u + 1, v) - sumAt(u, v);
        }
    }
    const int windows = side - CARD_SIDE + 1;
    std::vector<int> counts(static_cast<size_t>(windows * windows));
    for (int v = 0; v < windows; ++v) {
        for (int u = 0; u < windows; ++u) {
            counts.at(static_cast<size_t>(v * windows + u)) = sumAt(u + CARD_SIDE, v + CARD_SIDE) -
                                                              sumAt(u, v + CARD_SIDE) -
                                                              sumAt(u + CARD_SIDE, v) + sumAt(u, v);
        }
    }
    std::vector<SeenCard> backs;
    for (;;) {
        const auto best = std::max_element(counts.begin(), counts.end());
        if (*best < BACK_SHARE_PERCENT * CARD_SIDE * CARD_SIDE / 100) return backs;
        const int u = static_cast<int>(best - counts.begin()) % windows;
        const int v = static_cast<int>(best - counts.begin()) / windows;
        backs.push_back({BOARD_LEFT + u, BOARD_TOP + v, -1, Face::BACK});
        // No second back within a card's width of this one.
        for (int w = std::max(0, v - CARD_SIDE + 1); w < std::min(windows, v + CARD_SIDE); ++w) {
            for (int t = std::max(0, u - CARD_SIDE + 1); t < std::min(windows, u + CARD_SIDE);
                 ++t) {
                counts.at(static_cast<size_t>(w * windows + t)) = 0;
            }
        }
    }
}

bool isEmptyPlace(const Image& shot, int x, int y) {
    if (!inside(shot, x, y, CARD_SIDE, CARD_SIDE)) return false;
    int dark = 0;
    for (int v = 0; v < CARD_SIDE; ++v) {
        for (int u = 0; u < CARD_SIDE; ++u) {
            if (distance(pixelAt(shot, x + u, y + v), Rgb{}) <= EMPTY_LEVEL) ++dark;
        }
    }
    // Sparks of a take next door may still cross the place.
    return dark * 10 >= CARD_SIDE * CARD_SIDE * 9;
}

std::optional<Pick> readPick(const Image& shot) {
    for (const auto& [x, y] : PREVIEW_BOX_PIXELS) {
        if (distance(pixelAt(shot, x, y), TEAL) > TEXT_TOLERANCE) return std::nullopt;
    }
    Pick pick;
    pick.face = faceIn(shot, PREVIEW_FACE_X, PREVIEW_FACE_Y, PREVIEW_SIDE);
    for (int n = 0; n < 10; ++n) {
        if (glyphMatches(shot, digitGlyph(n), PREVIEW_NUMBER_X, PREVIEW_NUMBER_Y,
                         PREVIEW_NUMBER_SCALE, numberColour(n))) {
            pick.number = n;
        }
    }
    return pick;
}
