// Taking pairs: multipliers, summaries, combo bonuses, open groups and the pair log.
#include "gamecore/combo.h"
#include "game_fixture.h"

TEST(ComboBonus, NumberAndColourBoxes) {
    const std::array<int32_t, 4> numbers[] = {
        {0, 0, 8, 6400}, {0, 1, 2, 1000}, {1, 2, 8, 6400}, {5, 5, 5, 3333}, {9, 0, 1, 1000},
        {2, 9, 6, 3000}, {1, 3, 5, 2000}, {7, 4, 1, 3000}, {1, 2, 4, 0},    {999, 0, 1, 0},
        {9, 999, 9, 0},  {1, 2, 999, 0},
    };
    for (const auto& [n1, n2, n3, bonus] : numbers) {
        EXPECT_EQ(comboNumberBonus(n1, n2, n3), bonus) << n1 << " " << n2 << " " << n3;
    }
    for (int32_t power : {1, 2, 4, 8, 16, 32, 64, 128, 256, 512}) {  // "8 BIT" alone
        EXPECT_EQ(comboNumberBonus(power / 100, power / 10 % 10, power % 10), 6400) << power;
    }
    const std::array<int32_t, 4> colors[] = {
        {0, 0, 0, 1000}, {1, 1, 1, 1000}, {2, 2, 2, 1000}, {0, 1, 2, 2000}, {2, 0, 1, 2000},
        {0, 0, 4, 0},    {4, 4, 4, 0},    {5, 5, 0, 0},    {5, 0, 1, 0},    {0, 1, 1, 0},
    };
    for (const auto& [c1, c2, c3, bonus] : colors) {
        EXPECT_EQ(comboColorBonus(c1, c2, c3), bonus) << c1 << " " << c2 << " " << c3;
    }
}

// LINE board in every game below: card i is colour (i / 10) % 3 and number i % 10, so
// cards i and i + 30 are the same card.
class ScoringTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        setUpGame(MODE_LINE);
    }
};

TEST_F(ScoringTest, SingleTakes) {
    struct Case {
        int32_t timeLeft, a, b, base, multiplier, color, number;
        std::array<int32_t, 3> tint;
    };
    const Case cases[] = {
        {10770, 4, 34, 180, 12, RED, 4, {150, 0, 0}},        // red 4 twice, 30 frames in
        {600, 2, 12, 10, 3, MIXED_COLOR, 2, {0, 0, 100}},    // red 2, green 2
        {601, 2, 7, 11, 2, RED, NO_NUMBER, {150, 0, 0}},     // red 2, red 7: seconds round up
        {59, 11, 41, 1, 12, GREEN, 1, {0, 150, 0}},          // the last second
        {10800, 22, 52, 180, 12, YELLOW, 2, {150, 150, 0}},
    };
    for (const auto& c : cases) {
        setUpGame(MODE_LINE);
        game->setTimeLeft(c.timeLeft);
        take(c.a, c.b);
        EXPECT_EQ(game->getTakeBase(), c.base) << c.a;
        EXPECT_EQ(game->getTakeMultiplier(), c.multiplier) << c.a;
        EXPECT_EQ(game->getScore(), c.base * c.multiplier) << c.a;  // no combo yet
        EXPECT_EQ(game->comboBox(2).color, c.color) << c.a;
        EXPECT_EQ(game->comboBox(2).number, c.number) << c.a;
        EXPECT_EQ(game->comboBox(1).color, EMPTY_COLOR);
        EXPECT_EQ(game->getTintTarget(), c.tint) << c.a;
        EXPECT_EQ(game->card(c.a).state + game->card(c.b).state, 4);
        EXPECT_EQ(game->getFirstPick() + game->getSecondPick(), 2 * NO_CARD);
        EXPECT_EQ(game->getTakenCount(), 2);
        EXPECT_EQ(game->getOpenGroups(), 13);
    }
}

TEST_F(ScoringTest, ComboSequences) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, int32_t>> takes;
        int32_t numberBonus, colorBonus;
    };
    const Case cases[] = {
        {"SIGNAL and STEP", {{1, 31}, {12, 42}, {23, 53}}, 1000, 2000},
        {"8 BIT", {{0, 30}, {10, 40}, {8, 38}}, 6400, 0},
        {"NUMBER, mixed colours", {{5, 15}, {25, 35}, {45, 55}}, 3333, 0},
        {"COLOR, mixed numbers", {{0, 3}, {4, 5}, {6, 7}}, 0, 1000},
        {"red, red, mixed", {{0, 3}, {4, 5}, {6, 16}}, 0, 0},
        // 9, 999, 9 would step evenly by 990 without the block.
        {"999 in the middle", {{9, 19}, {2, 7}, {29, 39}}, 0, 0},
        {"999 oldest", {{2, 7}, {0, 10}, {1, 11}}, 0, 0},
        {"999 gone", {{2, 7}, {5, 15}, {25, 35}, {45, 55}}, 3333, 0},
    };
    for (const auto& c : cases) {
        setUpGame(MODE_LINE);
        game->setTimeLeft(6000);
        int32_t before = 0;
        for (const auto& [a, b] : c.takes) {
            before = game->getScore();
            take(a, b);
        }
        EXPECT_EQ(game->getNumberBonus(), c.numberBonus) << c.what;
        EXPECT_EQ(game->getColorBonus(), c.colorBonus) << c.what;
        EXPECT_EQ(game->getScore() - before,
                  100 * game->getTakeMultiplier() + c.numberBonus + c.colorBonus)
            << c.what;
        const int32_t pair = static_cast<int32_t>(c.takes.size()) - 1;
        EXPECT_EQ(game->getNumberBonusLog(pair), c.numberBonus) << c.what;
        EXPECT_EQ(game->getColorBonusLog(pair), c.colorBonus) << c.what;
        EXPECT_TRUE(game->getPopupAngle(pair) >= 0 && game->getPopupAngle(pair) < 360);
    }
}

TEST_F(ScoringTest, MissInBetweenDoesNotBreakACombo) {
    playingGame(MODE_LINE);
    for (int32_t i : {0, 30, 1, 31, 2, 18}) clickCard(i);  // red 0, red 1, then a miss
    EXPECT_EQ(game->getTakenCount(), 4);
    for (int32_t i : {2, 32, 2}) clickCard(i);  // turn 2 up again, then red 2 twice
    EXPECT_EQ(game->getTakenCount(), 6);
    EXPECT_EQ(game->getNumberBonus(), 1000);
    EXPECT_EQ(game->getColorBonus(), 1000);
}

TEST_F(ScoringTest, LastPairFillsTheLastLogEntry) {
    for (int32_t i = 0; i < 30; ++i) take(i, i + 30);
    EXPECT_EQ(game->getTakenCount(), 60);
    EXPECT_EQ(game->getOpenGroups(), 0);
    EXPECT_EQ(game->getColorBonusLog(29), 1000);  // yellow 7, 8, 9
    EXPECT_EQ(game->getNumberBonusLog(29), 1000);
    // Inside each colour row COLOR and STEP on 8 takes; across the row changes the
    // numbers 8 9 0 and 9 0 1 still step.
    EXPECT_EQ(game->getScore(), 30 * 180 * 12 + 24 * 2000 + 4 * 1000);
}

TEST_F(ScoringTest, NoPairLeftEndsTheGameWithCardsOnTheBoard) {
    playingGame(MODE_LINE);
    for (int32_t i = 0; i < 30; ++i) {
        if (i != 5 && i != 6 && i != 16) take(i, i + 30);
    }
    for (int32_t i : {5, 6, 16, 36}) game->card(i).life = 0;  // face down still counts
    take(35, 36);  // left: red 5, red 6, green 6, green 6
    EXPECT_EQ(game->getOpenGroups(), 3);
    take(6, 46);  // left: red 5, green 6
    EXPECT_EQ(game->getOpenGroups(), 0);
    frame();
    EXPECT_EQ(game->getScene(), GameMain::RESULTS);
    EXPECT_EQ(game->getTakenCount(), 58);
}
