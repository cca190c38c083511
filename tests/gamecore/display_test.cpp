// The playing scene's pictures, checked against the recorded draw calls.
#include "game_fixture.h"

namespace {

constexpr Rgba YELLOW_TEXT = {255, 255, 0, 255};
constexpr Rgba TEAL = {0, 100, 100, 255};
constexpr Rgba BLACK = {0, 0, 0, 255};

}  // namespace

using DisplayTest = GameTest;

TEST_F(DisplayTest, StartOfGameBoardAndHud) {
    writeFile("config.ini", configText(0, MODE_LINE, 6543));
    newGame(MODE_LINE);
    frame();
    const auto& calls = headless::drawCalls();
    ASSERT_EQ(calls[3].kind, headless::DrawCall::BOX);  // background first, then the board
    EXPECT_EQ((std::array<int32_t, 8>{calls[3].box.x, calls[3].box.y, calls[3].box.w,
                                      calls[3].box.h, calls[3].box.r, calls[3].box.g,
                                      calls[3].box.b, calls[3].box.a}),
              (std::array<int32_t, 8>{10, 10, 630, 470, 0, 0, 100, 255}));
    EXPECT_TRUE(drewBox({50, 50, 332, 332}, BLACK));
    EXPECT_TRUE(drewBox({440, 335, 120, 56}, TEAL));
    EXPECT_TRUE(drewBox({444, 339, 112, 48}, BLACK));
    EXPECT_FALSE(drewBox({440, 185, 120, 116}, TEAL));  // no preview yet
    struct Text {
        std::string text;
        int32_t x, y;
        float cell;
        Rgba rgba;
    };
    for (const auto& t : {Text{"SCORE", 400, 80, 16, WHITE}, Text{"0", 410, 110, 32, WHITE},
                          Text{"HI SCORE", 400, 10, 16, WHITE}, Text{"6543", 410, 30, 32, WHITE},
                          Text{"TIME 03:00:00", 50, 30, 16, WHITE},
                          Text{"180", 330, 30, 16, YELLOW_TEXT},
                          Text{"COMBO BOX", 445, 330, 12, {255, 100, 100, 255}},
                          Text{"0", 58, 108, 16, {63, 85, 127, 255}},      // card 0
                          Text{"1", 91, 108, 16, {126, 170, 254, 255}},    // card 1
                          Text{"5", 223, 108, 16, {126, 255, 254, 255}},   // card 5
                          Text{"9", 355, 273, 16, {126, 85, 254, 255}}}) {  // card 59
        const auto runs = textRunsAt(t.text, t.x, t.y);
        ASSERT_EQ(runs.size(), 1u) << t.text << " at " << t.x << "," << t.y;
        EXPECT_EQ(runs[0].cell, t.cell) << t.text;
        EXPECT_EQ(rgbaOf(runs[0]), t.rgba) << t.text;
    }
    for (int32_t i = 0; i < 60; ++i) {
        const Card& c = game->card(i);
        const auto face = tamaRegionAt(64 + 32 * c.color, 32, 32, 32, 50 + c.x, 50 + c.y);
        ASSERT_EQ(face.size(), 1u) << i;
        EXPECT_EQ(face[0].w, 32.0f);
        EXPECT_EQ(rgbaOf(face[0]), (Rgba{255, 255, 255, 180}));
    }
    for (int32_t x : {451, 485, 519}) EXPECT_EQ(tamaRegionAt(224, 32, 32, 32, x, 350).size(), 1u);
    for (const auto& call : calls) EXPECT_NE(call.glyphs.y, 358);  // empty entries: no number
}

TEST_F(DisplayTest, HighlightFaceDownAndPickedCards) {
    playingGame(MODE_LINE);
    game->card(7).life = 0;
    headless::setMouse(50 + 132 + 10, 110);  // over card 4
    frames(2);
    EXPECT_EQ(tamaRegionAt(64, 0, 32, 32, 182, 100).size(), 1u);
    const auto back = tamaRegionAt(192, 32, 32, 32, 281, 100);  // card 7's back
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].a, 180);
    EXPECT_TRUE(textRunsAt("7", 289, 108).empty());
    headless::setMouse(182, 110);  // card 4's left edge column
    frames(2);
    EXPECT_TRUE(tamaRegion(64, 0, 32, 32).empty());

    clickCard(23);  // yellow 3, at screen (149, 166)
    headless::setMouse(159, 176);
    frames(2);
    EXPECT_TRUE(tamaRegion(64, 0, 32, 32).empty());  // no highlight on the pick
    const auto face = tamaRegionAt(128, 32, 32, 32, 149, 166);
    const auto mark = tamaRegionAt(96, 0, 32, 32, 149, 166);
    ASSERT_EQ(face.size(), 1u);
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_EQ(face[0].a, 255);
    EXPECT_EQ(mark[0].a, 200);
    EXPECT_TRUE(drewBox({440, 185, 120, 116}, TEAL));
    EXPECT_TRUE(drewBox({444, 189, 112, 108}, BLACK));
    const auto preview = tamaRegionAt(128, 32, 32, 32, 452, 195);
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(preview[0].w, 96.0f);
    const auto number = textRunsAt("3", 476, 219);
    ASSERT_EQ(number.size(), 1u);
    EXPECT_EQ(number[0].cell, 48.0f);
    EXPECT_EQ(rgbaOf(number[0]), (Rgba{252, 85, 254, 255}));

    game->card(13).state = 1;  // a second preview only shows if a pick is left unjudged
    game->setPicks(23, 13);
    frame();
    EXPECT_EQ(tamaRegionAt(96, 32, 32, 32, 550, 195).size(), 1u);
    EXPECT_EQ(textRunsAt("3", 574, 219).size(), 1u);
}

TEST_F(DisplayTest, TakeAnimationGrowsTurnsFadesAndRaisesThePoints) {
    playingGame(MODE_LINE);
    clickCard(3);
    clickCard(33);  // red 3 twice: taken and drawn at state 2 in the same frame
    for (int32_t s = 2; s <= 32; ++s) {
        for (double y : {100.0, 199.0}) {
            const auto flying = tamaRegionAt(64, 32, 32, 32, 149 - s, y - s);
            ASSERT_EQ(flying.size(), 1u) << "state " << s;
            EXPECT_FLOAT_EQ(flying[0].w, 32.0f + 2.0f * static_cast<float>(s));
            EXPECT_FLOAT_EQ(flying[0].angle, static_cast<float>(10 * s));
            EXPECT_EQ(rgbaOf(flying[0]), (Rgba{255, 255, 255, 255 - 5 * s}));
        }
        const auto number = textRunsAt("3", 157 - s / 2, 108 - s / 2);
        ASSERT_EQ(number.size(), 1u) << "state " << s;
        EXPECT_FLOAT_EQ(number[0].cell, 16.0f + static_cast<float>(s));
        EXPECT_EQ(tamaRegion(128, 0, 4, 4).size(), 4u * 13u);  // 2 bursts a card, 1 ring
        const int32_t d = (s + 1) / 2;
        struct Text {
            std::string text;
            int32_t x, y;
            Rgba rgba;
        };
        for (const auto& t : {Text{"180", 470, 210 - d, {180, 180, 180, 255}},
                              Text{"x12", 520, 210 - d, {210, 210, 210, 255}},
                              Text{"POINT", 430, 170 - d, YELLOW_TEXT},
                              Text{"+", 460, 190 - d, YELLOW_TEXT},
                              Text{"2160", 480, 190 - d, YELLOW_TEXT}}) {
            const auto runs = textRunsAt(t.text, t.x, t.y);
            ASSERT_EQ(runs.size(), 2u) << t.text << " state " << s;
            EXPECT_EQ(rgbaOf(runs[0]), t.rgba) << t.text;
        }
        frame();
    }
    EXPECT_EQ(game->card(3).state, 33);
    EXPECT_TRUE(tamaRegion(128, 0, 4, 4).empty());
    EXPECT_TRUE(textRuns("POINT").empty());
}

TEST_F(DisplayTest, BonusLinesAndComboBoxEntries) {
    constexpr Rgba RED_LABEL = {255, 100, 100, 255};
    constexpr Rgba GREEN_LABEL = {100, 255, 100, 255};
    struct Line {
        std::string text;
        int32_t x, y;  // before the rise of 1 at state 2
        Rgba rgba;
    };
    struct Case {
        std::vector<std::pair<int32_t, int32_t>> takes;
        std::vector<Line> lines;
        int32_t newestSrcX;  // combo-box picture of the last take
        std::string newestNumber;
    };
    const Case cases[] = {
        {{{1, 31}, {12, 42}, {23, 53}},  // number lines 50 lower after a colour bonus
         {{"SIGNAL", 430, 240, RED_LABEL}, {"+2000", 450, 260, RED_LABEL},
          {"STEP ", 430, 290, GREEN_LABEL}, {"+1000", 450, 310, GREEN_LABEL}},
         128, "3"},
        {{{5, 15}, {25, 35}, {45, 55}},
         {{"NUMBER", 430, 240, GREEN_LABEL}, {"+3333", 450, 260, GREEN_LABEL}}, 192, "5"},
        {{{0, 30}, {10, 40}, {8, 38}},
         {{"8 BIT", 430, 240, GREEN_LABEL}, {"+6400", 450, 260, GREEN_LABEL}}, 64, "8"},
        {{{0, 3}, {4, 5}, {6, 7}},
         {{"COLOR", 430, 240, RED_LABEL}, {"+1000", 450, 260, RED_LABEL}}, 64, ""},
    };
    for (const auto& c : cases) {
        newGame(MODE_LINE);
        frame();
        for (const auto& [a, b] : c.takes) take(a, b);
        frame();
        for (const auto& line : c.lines) {
            const auto runs = textRunsAt(line.text, line.x, line.y - 1);
            ASSERT_FALSE(runs.empty()) << line.text;
            EXPECT_EQ(rgbaOf(runs[0]), line.rgba) << line.text;
        }
        EXPECT_EQ(tamaRegionAt(c.newestSrcX, 32, 32, 32, 519, 350).size(), 1u);
        bool numbered = false;
        for (const auto& call : headless::drawCalls()) {
            numbered |= call.glyphs.y == 358 && textOriginX(call.glyphs) == 527;
        }
        EXPECT_EQ(numbered, !c.newestNumber.empty());
        if (numbered) {
            EXPECT_EQ(textRunsAt(c.newestNumber, 527, 358).size(), 1u);
        }
    }
}

TEST_F(DisplayTest, BurstRingsGrowWithTheScore) {
    newGame(MODE_LINE);
    frame();
    const int32_t r = 10;
    const int32_t angle = 30;
    for (size_t rings = 1; rings <= 4; ++rings) {
        game->setScore(rings == 1 ? 30000 : static_cast<int32_t>(rings - 1) * 30000 + 1);
        headless::clearDrawCalls();
        game->drawBurst(100.0f, 100.0f, r, angle);
        const auto dots = tamaRegion(128, 0, 4, 4);
        ASSERT_EQ(dots.size(), 13u * rings);
        for (size_t i = 0; i < 13; ++i) {
            const double k = static_cast<double>(i);
            // Dots of one i come ring by ring; the cell's centre is (166, 166).
            const std::array<std::pair<double, double>, 4> expected = {{
                {r * Tolm_cos(40 * k - 4 * r + angle), r * Tolm_sin(40 * k - 4 * r)},
                {1.5 * r * Tolm_cos(30 * k + 4 * r + angle), 1.5 * r * Tolm_sin(30 * k + 4 * r)},
                {2.0 * r * Tolm_cos(30 * k - 4 * r), 2.0 * r * Tolm_sin(30 * k - 4 * r + angle)},
                {2.0 * r * Tolm_cos(20 * k - 4 * r), 2.0 * r * Tolm_sin(20 * k - 4 * r)},
            }};
            for (size_t ring = 0; ring < rings; ++ring) {
                const auto& dot = dots[i * rings + ring];
                EXPECT_TRUE(near(dot.x, 164 + expected[ring].first)) << i << " ring " << ring;
                EXPECT_TRUE(near(dot.y, 164 + expected[ring].second)) << i << " ring " << ring;
                EXPECT_EQ(rgbaOf(dot), WHITE);
            }
        }
    }
}

TEST_F(DisplayTest, BonusPopupsFlyApartGrowAndFade) {
    newGame(MODE_LINE);
    frame();  // READY: the clock stands at 10800, so the icon frame is 2 (source x 32)
    take(1, 31);
    take(12, 42);
    take(23, 53);  // SIGNAL (icon row 1) and STEP (row 3) for pair 2
    const int32_t start = game->getPopupAngle(2);
    for (int32_t age = 0; age <= 60; ++age) {
        frame();
        const auto color = tamaRegion(32, 112, 16, 16);
        const auto number = tamaRegion(32, 144, 16, 16);
        if (age == 60) {
            EXPECT_TRUE(color.empty() && number.empty());
            break;
        }
        ASSERT_EQ(color.size() + number.size(), 2u) << age;
        ASSERT_EQ(color.size(), 1u) << age;
        const double base = 50 + 166 - 8 * (age / 5);
        const double dx = 2.0 * (age + 5) * Tolm_cos(start + 3 * age);
        const double dy = 2.0 * (age + 5) * Tolm_sin(start + 3 * age);
        EXPECT_TRUE(near(color[0].x, base + dx) && near(color[0].y, base + dy)) << age;
        EXPECT_TRUE(near(number[0].x, base - dx) && near(number[0].y, base - dy)) << age;
        EXPECT_FLOAT_EQ(color[0].w, 16.0f * static_cast<float>(age / 5));
        EXPECT_EQ(rgbaOf(color[0]), (Rgba{255, 255, 255, 255 - 3 * age}));
    }
    EXPECT_EQ(game->getPopupAngle(2), start + 180);
    EXPECT_EQ(game->getPopupAge(0), 0);  // pairs without a bonus never age
    playingGame(MODE_LINE);
    take(1, 31);
    take(12, 42);
    take(23, 53);
    game->setTimeLeft(1011);  // 1010 after the tick: (101 mod 3) = 2, frame 0
    frame();
    EXPECT_EQ(tamaRegion(0, 112, 16, 16).size(), 1u);
}

TEST_F(DisplayTest, TintStepsTowardTheTarget) {
    newGame(MODE_LINE);
    frame();
    take(2, 32);  // red: target (150, 0, 0)
    frame();
    EXPECT_TRUE(drewBox({10, 10, 630, 470}, {2, 0, 98, 255}));
    frames(80);
    EXPECT_EQ((game->getTint()), (std::array<int32_t, 3>{150, 0, 0}));
}
