// Every mode of the real game started from the title and played by reading the screen:
// shuffled and scattered boards cleared, moving cards caught, cards turned face down
// after 30 seconds and turned up again, and a game left to run out of time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/scratch.h"

using namespace std::chrono_literals;

namespace {

constexpr int CARDS = 60;
constexpr int PAIRS = 30;
// Scattered cards sit in cells of 32 pixels from board position 5.
constexpr int SCATTER_FIRST = BOARD_LEFT + 5;
constexpr int SCATTER_CELLS = 10;
// MEMORY and REVERSE: pairs left untouched until the cards have turned face down.
constexpr size_t PAIRS_LEFT_FOR_LATER = 3;
// How many frames before a moment of the game clock a waiting test starts to look.
constexpr int CLOCK_AHEAD = 30;

class ModeGame : public GameOnDisplay {
protected:
    // The 60 grid places as the screen shows them.
    static std::vector<SeenCard> readGrid(const Image& shot) {
        std::vector<SeenCard> cards;
        for (int i = 0; i < CARDS; ++i) {
            const Place place = gridPlace(i);
            cards.push_back({place.x, place.y, numberOnCard(shot, place.x, place.y).value_or(-1),
                             faceOfCard(shot, place.x, place.y)});
        }
        return cards;
    }

    // Scattered cards: one to a cell of the 10 x 10 grid of 32-pixel cells.
    static void expectScattered(const std::vector<SeenCard>& cards) {
        std::set<std::pair<int, int>> cells;
        for (const SeenCard& card : cards) {
            const int column = (card.x - SCATTER_FIRST) / CARD_SIDE;
            const int row = (card.y - SCATTER_FIRST) / CARD_SIDE;
            EXPECT_EQ((card.x - SCATTER_FIRST) % CARD_SIDE, 0) << card.x;
            EXPECT_EQ((card.y - SCATTER_FIRST) % CARD_SIDE, 0) << card.y;
            EXPECT_TRUE(column >= 0 && column < SCATTER_CELLS && row >= 0 && row < SCATTER_CELLS);
            EXPECT_TRUE(cells.insert({column, row}).second) << "two cards in one cell";
        }
    }

    // Sleeps until the clock is about to show frames, then looks until it does.
    static Image lookWhenClockReaches(Player& player, int frames) {
        const int clock = player.lowestClockSeen();
        if (clock > frames + CLOCK_AHEAD) {
            std::this_thread::sleep_for(
                std::chrono::milliseconds((clock - frames - CLOCK_AHEAD) * FRAME_MS));
        }
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            Image shot = player.lookAway();
            if (readClock(shot).value_or(FULL_CLOCK) <= frames) return shot;
            if (std::chrono::steady_clock::now() >= deadline) {
                throw std::runtime_error("the clock does not reach " + std::to_string(frames));
            }
        }
    }

    // MEMORY and REVERSE after most pairs went: the untouched cards stay face up until
    // 1800 frames of play have passed and show their backs from then on. Each pair is then
    // turned up card by card with a click (the twin staying down), taken, and leaves
    // empty board behind.
    static void takeAfterTurnDown(Player& player,
                                  const std::vector<std::pair<SeenCard, SeenCard>>& later,
                                  const std::vector<std::pair<SeenCard, SeenCard>>& taken) {
        const int turnDownAt = FULL_CLOCK - TURN_DOWN_FRAMES;
        const Image before = lookWhenClockReaches(player, turnDownAt + 2 * CLOCK_AHEAD);
        if (readClock(before).value_or(0) > turnDownAt) {
            for (const auto& [a, b] : later) {
                EXPECT_EQ(numberOnCard(before, a.x, a.y).value_or(-1), a.number) << "still face up";
                EXPECT_EQ(numberOnCard(before, b.x, b.y).value_or(-1), b.number) << "still face up";
            }
        }
        const Image shot = lookWhenClockReaches(player, turnDownAt);
        for (const auto& [a, b] : later) {
            for (const SeenCard& card : {a, b}) {
                EXPECT_EQ(faceOfCard(shot, card.x, card.y), Face::BACK) << card.x << "," << card.y;
                EXPECT_FALSE(numberOnCard(shot, card.x, card.y).has_value())
                    << "a back shows no number";
            }
        }
        for (const auto& [a, b] : taken) {
            EXPECT_TRUE(isEmptyPlace(shot, a.x, a.y));
            EXPECT_TRUE(isEmptyPlace(shot, b.x, b.y));
        }
        // Found as backs, exactly there and nowhere else.
        const std::vector<SeenCard> backs = findBacks(shot);
        EXPECT_EQ(backs.size(), 2 * later.size());
        for (const SeenCard& back : backs) {
            const auto near = [&](const SeenCard& card) {
                return std::abs(back.x - card.x) <= 2 && std::abs(back.y - card.y) <= 2;
            };
            const bool known = std::any_of(later.begin(), later.end(), [&](const auto& pair) {
                return near(pair.first) || near(pair.second);
            });
            EXPECT_TRUE(known) << "a back at " << back.x << "," << back.y;
        }

        for (const auto& [a, b] : later) {
            ASSERT_TRUE(player.turnUp(placeOf(a))) << "powerup of " << a.x << "," << a.y;
            const Image up = player.lookAway();
            EXPECT_EQ(numberOnCard(up, a.x, a.y).value_or(-1), a.number);
            EXPECT_EQ(faceOfCard(up, a.x, a.y), a.face);
            EXPECT_EQ(faceOfCard(up, b.x, b.y), Face::BACK) << "its twin stays down";
            ASSERT_TRUE(player.turnUp(placeOf(b)));
            ASSERT_TRUE(player.takeStillPair(placeOf(a), placeOf(b)));
            if (&a == &later.back().first) break;  // the last take ends the game
            std::this_thread::sleep_for(1200ms);
            const Image after = player.lookAway();
            EXPECT_TRUE(isEmptyPlace(after, a.x, a.y));
            EXPECT_TRUE(isEmptyPlace(after, b.x, b.y));
        }
    }

    // Takes all but the last few twins while the cards are face up, then the rest after
    // the turn-down.
    static void playTurnDownGame(Player& player,
                                 const std::vector<std::pair<SeenCard, SeenCard>>& twins) {
        ASSERT_EQ(twins.size(), static_cast<size_t>(PAIRS));
        const auto split = twins.end() - static_cast<long>(PAIRS_LEFT_FOR_LATER);
        const std::vector<std::pair<SeenCard, SeenCard>> now(twins.begin(), split);
        const std::vector<std::pair<SeenCard, SeenCard>> later(split, twins.end());
        takeStillPairsChecked(player, now);
        ASSERT_FALSE(::testing::Test::HasFailure());
        takeAfterTurnDown(player, later, now);
    }
};

TEST_F(ModeGame, ShuffleBoardIsReadFromTheScreenAndClearedToARecord) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_SHUFFLE);
    const std::vector<SeenCard> cards = readGrid(player.lookAway());
    const auto inLineOrder = std::count_if(cards.begin(), cards.end(), [&](const SeenCard& card) {
        const auto i = &card - cards.data();
        return card.number == i % 10 && card.face == static_cast<Face>((i / 10) % 3);
    });
    EXPECT_LT(inLineOrder, 30) << "201 swaps leave most cards away from their LINE place";
    const auto twins = twinsOf(cards);
    ASSERT_FALSE(HasFailure());
    takeStillPairsChecked(player, twins);
    ASSERT_FALSE(HasFailure());
    finishWithRecord(game, player, MODE_SHUFFLE, 5s);
}

TEST_F(ModeGame, SquareScatteredCardsAreFoundOnTheScreenAndCleared) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_SQUARE);
    const std::vector<SeenCard> cards = findCards(player.lookAway());
    ASSERT_EQ(cards.size(), static_cast<size_t>(CARDS));
    expectScattered(cards);
    const auto twins = twinsOf(cards);
    ASSERT_FALSE(HasFailure());
    takeStillPairsChecked(player, twins);
    ASSERT_FALSE(HasFailure());
    finishWithRecord(game, player, MODE_SQUARE, 5s);
}

TEST_F(ModeGame, MixerMovingCardsAreCaughtUntilTheBoardIsEmpty) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_MIXER);
    int pairs = 0;
    while (pairs < PAIRS && player.takeMovingPair(15s)) ++pairs;
    // Should a click have caught a card of the pick's colour but another number, two
    // cards that share nothing may end the game early.
    EXPECT_GE(pairs, PAIRS - 1);
    finishWithRecord(game, player, MODE_MIXER, 5s);
}

TEST_F(ModeGame, MemoryCardsTurnDownAfterThirtySecondsAndComeUpAgainOnAClick) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_MEMORY);
    const auto twins = twinsOf(readGrid(player.lookAway()));
    ASSERT_FALSE(HasFailure());
    playTurnDownGame(player, twins);
    ASSERT_FALSE(HasFailure());
    finishWithRecord(game, player, MODE_MEMORY, 5s);
}

TEST_F(ModeGame, ReverseCardsTurnDownAfterThirtySecondsAndComeUpAgainOnAClick) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_REVERSE);
    const std::vector<SeenCard> cards = findCards(player.lookAway());
    ASSERT_EQ(cards.size(), static_cast<size_t>(CARDS));
    expectScattered(cards);
    const auto twins = twinsOf(cards);
    ASSERT_FALSE(HasFailure());
    playTurnDownGame(player, twins);
    ASSERT_FALSE(HasFailure());
    finishWithRecord(game, player, MODE_REVERSE, 5s);
}

// About three minutes: the clock has to run out.
using SlowModes = GameOnDisplay;

TEST_F(SlowModes, LineLeftAloneAfterOneTakeRunsOutOfTimeWithEveryOtherCardFaceDown) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);
    ASSERT_TRUE(player.takeStillPair(gridPlace(0), gridPlace(PAIRS)));

    const int clock = player.lowestClockSeen();
    const auto untilNearTheEnd = std::chrono::milliseconds(clock * FRAME_MS) - 3s;
    std::this_thread::sleep_for(untilNearTheEnd);
    const Image results = player.waitForResults(60s);
    // The untouched cards used up their face-up time with the clock; the top row is
    // clear of the results text.
    EXPECT_TRUE(isEmptyPlace(results, gridPlace(0).x, gridPlace(0).y));
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(faceOfCard(results, gridPlace(i).x, gridPlace(i).y), Face::BACK) << "card " << i;
    }

    const FinishedGame finished = finishWithRecord(game, player, MODE_LINE, 1s);
    EXPECT_EQ(finished.replay.size(), static_cast<size_t>(FULL_CLOCK + 2) * REPLAY_RECORD_SIZE)
        << "every frame of the three minutes, plus the two idle records";
    // One same-card take early on: 12 times the whole seconds left, no combo yet.
    EXPECT_EQ(finished.score % 12, 0) << finished.score;
    EXPECT_GE(finished.score, 12 * ((clock + 59) / 60)) << finished.score;
    EXPECT_LE(finished.score, 12 * 180) << finished.score;
}

}  // namespace
