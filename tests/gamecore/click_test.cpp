// Picking cards: first and second picks, drop, turn-up, misses and strict hit bounds.
#include "game_fixture.h"

namespace {

using Sounds = std::vector<std::string>;
const std::string SELECT = "resource/sound/select.wav";
const std::string GET = "resource/sound/l1.wav";

}  // namespace

// LINE board: card i is colour (i / 10) % 3 and number i % 10, at screen
// (50 + 33 * (i % 10), 100 + 33 * (i / 10)).
using ClickTest = GameTest;

TEST_F(ClickTest, PairsSharingNumberOrColourAreTaken) {
    for (const auto& [second, multiplier] : {std::pair{13, 3}, {7, 2}}) {  // green 3, red 7
        playingGame(MODE_LINE);
        clickCard(3);
        EXPECT_EQ(playedSounds(), Sounds{SELECT});
        EXPECT_EQ(game->getFirstPick(), 3);
        clickCard(second);
        EXPECT_EQ(playedSounds(), Sounds{GET});
        // Taken (2), and this frame's draw has already advanced the take animation.
        EXPECT_EQ(game->card(3).state, 3);
        EXPECT_EQ(game->card(second).state, 3);
        EXPECT_EQ(game->getTakeMultiplier(), multiplier);
        EXPECT_EQ(game->getFirstPick(), NO_CARD);
        clickCard(3);  // its place is empty now
        EXPECT_TRUE(playedSounds().empty());
        EXPECT_EQ(game->getFirstPick(), NO_CARD);
    }
}

TEST_F(ClickTest, MissTurnsBothCardsDown) {
    playingGame(MODE_LINE);
    clickCard(3);
    clickCard(17);  // green 7
    EXPECT_EQ(playedSounds(), Sounds{"resource/sound/damage.wav"});
    for (int32_t i : {3, 17}) EXPECT_EQ((std::pair{game->card(i).state, game->card(i).life}),
                                        (std::pair{0, 0}));
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    EXPECT_EQ(game->getSecondPick(), NO_CARD);
    EXPECT_EQ((game->getTintTarget()), (std::array<int32_t, 3>{100, 100, 100}));
    EXPECT_EQ(game->getTakenCount(), 0);
    EXPECT_EQ(game->comboBox(2).color, EMPTY_COLOR);  // a miss leaves the combo box alone
}

TEST_F(ClickTest, ClickingThePickAgainDropsItWithFreshLife) {
    playingGame(MODE_LINE);
    clickCard(3);
    const int32_t lifeWhenPicked = game->card(3).life;
    frames(10);
    EXPECT_EQ(game->card(3).life, lifeWhenPicked - 10);  // a pick's time keeps running
    clickCard(3);
    EXPECT_EQ(playedSounds(), Sounds{"resource/sound/puwa.wav"});
    EXPECT_EQ(game->card(3).state, 0);
    EXPECT_EQ(game->card(3).life, GAME_FRAMES);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
}

TEST_F(ClickTest, FaceDownCardsTurnUpButAreNeverPicked) {
    playingGame(MODE_MEMORY);
    clickCard(3);
    game->card(13).life = 2;  // exactly 0 when the click's second frame judges it
    clickCard(13);            // face down as a second pick: nothing at all
    EXPECT_TRUE(playedSounds().empty());
    EXPECT_EQ(game->getFirstPick(), 3);
    EXPECT_EQ(game->card(13).state, 0);
    clickCard(3);
    clickCard(13);  // with nothing picked it turns up
    EXPECT_EQ(playedSounds(), Sounds{"resource/sound/clear.wav"});
    EXPECT_EQ(game->card(13).life, FADE_LIFE);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    clickCard(13);
    EXPECT_EQ(playedSounds(), Sounds{SELECT});
    EXPECT_EQ(game->getFirstPick(), 13);
}

TEST_F(ClickTest, EdgesOfTheCellDoNotHit) {
    playingGame(MODE_LINE);
    const int32_t left = 50 + 99;  // card 3
    const int32_t top = 100;
    for (const auto& [x, y] : {std::pair{left, top + 10}, {left + 10, top}, {left + 32, top + 10},
                               {left + 10, top + 32}}) {
        clickAt(x, y);
        EXPECT_EQ(game->getFirstPick(), NO_CARD) << x << "," << y;
    }
    clickAt(left + 31, top + 31);
    EXPECT_EQ(game->getFirstPick(), 3);
}

TEST_F(ClickTest, OverlappingCardsIgnoreTheClick) {
    playingGame(MODE_LINE);
    game->card(4).x = 109.0f;  // over the right part of card 3 (99..131)
    clickAt(50 + 120, 110);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    clickAt(50 + 135, 110);  // card 4 alone
    ASSERT_EQ(game->getFirstPick(), 4);
    clickAt(50 + 120, 110);  // the pick under another card: neither dropped nor judged
    EXPECT_EQ(game->getFirstPick(), 4);
    EXPECT_EQ(game->card(3).state, 0);
    EXPECT_TRUE(playedSounds().empty());
}

TEST_F(ClickTest, TakeInTheLastFrameScoresNoTimePointsAndEnds) {
    playingGame(MODE_LINE);
    clickCard(3);
    game->setTimeLeft(2);
    clickCard(33);  // red 3 again: x12
    EXPECT_EQ(game->getTakeBase(), 0);
    EXPECT_EQ(game->getTakeMultiplier(), 12);
    EXPECT_EQ(game->getTakenCount(), 2);
    EXPECT_EQ(game->getScene(), GameMain::RESULTS);
}
