// Set-up of a game: board layouts per mode, stored bests and the default "config.ini".
#include <cmath>
#include <map>
#include <set>

#include "game_fixture.h"
#include "support/error_of.h"
#include "tolm2/internal.h"

using SetUpTest = GameTest;

TEST_F(SetUpTest, LayoutOfEveryMode) {
    std::set<int> mixerSpeeds;
    for (int32_t mode = 0; mode < MODE_COUNT; ++mode) {
        for (uint32_t seed : {1u, 2u, 77u}) {
            GameMain& g = setUpGame(mode, seed);
            const bool scattered = mode >= MODE_SQUARE;
            const bool shuffled = mode == MODE_SHUFFLE || mode == MODE_MEMORY;
            const int32_t life = mode == MODE_MEMORY || mode == MODE_REVERSE ? 1800 : 10800;
            EXPECT_EQ(g.getCardLife(), life);
            std::map<std::pair<int32_t, int32_t>, int> faces;
            int32_t inIndexOrder = 0;
            for (int32_t i = 0; i < 60; ++i) {
                const Card& a = g.card(i);
                SCOPED_TRACE("mode " + std::to_string(mode) + " card " + std::to_string(i));
                ++faces[{a.color, a.number}];
                inIndexOrder += a.number == i % 10 && a.color == (i / 10) % 3;
                EXPECT_EQ(a.life, life);
                EXPECT_TRUE(a.angle >= 1 && a.angle <= 359);
                if (!scattered) {
                    EXPECT_EQ(a.x, static_cast<float>((i % 10) * 33));
                    EXPECT_EQ(a.y, static_cast<float>((i / 10) * 33 + 50));
                } else {
                    EXPECT_EQ(static_cast<int>(a.x - 5) % 32 + static_cast<int>(a.y - 5) % 32, 0);
                    EXPECT_TRUE(a.x >= 5 && a.x <= 293 && a.y >= 5 && a.y <= 293);
                }
                for (int32_t j = 0; j < i; ++j) {
                    const Card& b = g.card(j);
                    EXPECT_FALSE(a.x - 32 < b.x && b.x < a.x + 32 && a.y - 32 < b.y &&
                                 b.y < a.y + 32) << "overlaps card " << j;
                }
                const int tenths = static_cast<int>(std::lround(a.speed * 10.0f));
                EXPECT_FLOAT_EQ(a.speed, static_cast<float>(tenths) / 10.0f);
                EXPECT_TRUE(mode == MODE_MIXER ? tenths >= 10 && tenths <= 19 : tenths == 0);
                if (mode == MODE_MIXER) mixerSpeeds.insert(tenths);
            }
            EXPECT_EQ(faces.size(), 30u);
            for (const auto& [face, count] : faces) EXPECT_EQ(count, 2) << "mode " << mode;
            EXPECT_EQ(inIndexOrder < 30, shuffled) << "mode " << mode;
        }
    }
    EXPECT_GT(mixerSpeeds.size(), 5u);
    const Card& c35 = setUpGame(MODE_LINE).card(35);  // red 5 at board (165, 149)
    EXPECT_EQ((std::array<float, 4>{float(c35.color), float(c35.number), c35.x, c35.y}),
              (std::array<float, 4>{RED, 5, 165, 149}));
}

TEST_F(SetUpTest, StartsWithNothingPickedAndTablesAreChecked) {
    GameMain& g = newGame(MODE_SHUFFLE);
    EXPECT_EQ(g.getScene(), GameMain::SETUP);
    EXPECT_EQ(Tolm_findTexture("tama"), nullptr);  // nothing loaded before the first step
    g.step();
    EXPECT_NE(Tolm_findTexture("tama"), nullptr);
    EXPECT_NE(Tolm_findTexture("menu"), nullptr);
    EXPECT_EQ(readFile("run.log"), "Gamecoer init\nGamecoer init\n");
    EXPECT_EQ(g.getScene(), GameMain::READY);
    EXPECT_EQ(g.getFirstPick() + g.getSecondPick(), 2 * NO_CARD);
    EXPECT_EQ(g.getScore(), 0);
    EXPECT_EQ(g.getTimeLeft(), GAME_FRAMES);
    for (int32_t k = 0; k < 3; ++k) {
        EXPECT_EQ((std::pair{g.comboBox(k).color, g.comboBox(k).number}),
                  (std::pair{EMPTY_COLOR, NO_NUMBER}));
    }
    EXPECT_NO_THROW(g.card(99));
    EXPECT_THROW(g.card(-1), TolmError);
    EXPECT_THROW(g.comboBox(3), TolmError);
    EXPECT_THROW(g.getPopupAge(30), TolmError);
    EXPECT_THROW(g.getHiScore(10), TolmError);
    EXPECT_THROW(hiScoreKey(7), TolmError);
    EXPECT_EQ(errorOf([&g] { g.card(100); }), "GameMain: index 100 outside cards[100]");
}

TEST_F(SetUpTest, StoredBestsAreRead) {
    writeFile("config.ini", configText(5, MODE_MIXER, 6543));
    GameMain& g = setUpGame(MODE_LINE);
    EXPECT_EQ(g.getHiScore(MODE_MIXER), 6543);
    EXPECT_EQ(g.getHiScore(MODE_PLAIN), 5);
    writeFile("config.ini", "HI_SCORE = 1\nHI_SCORE5 = 5x\n");
    GameMain& lacking = setUpGame(MODE_LINE);  // a missing key or a malformed value reads 0
    EXPECT_EQ(std::make_pair(lacking.getHiScore(MODE_PLAIN), lacking.getHiScore(MODE_MIXER)), std::make_pair(1, 0));
    EXPECT_EQ(readFile("config.ini"), "HI_SCORE = 1\nHI_SCORE5 = 5x\n");
}

// The file gets the title's defaults, and this game plays against them.
TEST_F(SetUpTest, MissingConfigWritesTheTitleDefaultsAndPlaysAgainstThem) {
    std::filesystem::remove("config.ini");
    GameMain& g = setUpGame(MODE_LINE);
    for (int32_t mode = 0; mode < 7; ++mode) EXPECT_EQ(g.getHiScore(mode), 0);
    EXPECT_EQ(readFile("config.ini"), configText(0));  // ends HOSHI, SELECT_HOSHI
}

TEST_F(SetUpTest, UnwritableDefaultsAreLoggedAndTheGameGoesOn) {
    std::filesystem::remove("config.ini");
    std::filesystem::create_symlink("nowhere/config.ini", "config.ini");  // missing, unwritable
    GameMain& g = setUpGame(MODE_LINE);
    EXPECT_EQ(g.getScene(), GameMain::READY);
    EXPECT_EQ(g.getHiScore(MODE_LINE), 0);
    EXPECT_NE(readFile("run.log").find("Cannot write file 'config.ini'\n"), std::string::npos);
}

// A file that exists but cannot be read is never replaced: it is logged, and the game
// plays with every best 0.
TEST_F(SetUpTest, AnUnreadableConfigIsLoggedAndLeftAsItWas) {
    std::filesystem::remove("config.ini");
    std::filesystem::create_directories("config.ini/inside");
    EXPECT_EQ(setUpGame(MODE_LINE).getHiScore(MODE_LINE), 0);
    EXPECT_NE(readFile("run.log").find("Cannot open file 'config.ini': Is a directory\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory("config.ini/inside"));
}
