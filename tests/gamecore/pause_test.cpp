// The pause: paused frames change nothing, hide the board, and leave no trace in the game.
#include <functional>
#include <tuple>

#include "game_fixture.h"

namespace {

// Everything of a game that a frame of play could move.
auto snapshot(const GameMain& g) {
    std::vector<std::tuple<float, float, int32_t, int32_t>> cards;
    for (int32_t i = 0; i < CARD_TABLE_SIZE; ++i) {
        const Card& c = g.card(i);
        cards.emplace_back(c.x, c.y, c.life, c.state);
    }
    std::vector<int32_t> popups;
    for (int32_t pair = 0; pair < PAIR_LOG_SIZE; ++pair) popups.push_back(g.getPopupAge(pair));
    return std::make_tuple(g.getScene(), g.getScore(), g.getTimeLeft(), g.getReadyCounter(),
                           g.getKeypad().getFrame(), g.getTint(), cards, popups);
}

}  // namespace

class PauseTest : public GameTest {
protected:
    // Textured quads drawn on the board this frame: card faces, backs, animations.
    size_t quadsOnTheBoard() const {
        size_t count = 0;
        for (const auto& call : headless::drawCalls()) {
            const bool onBoard = call.quad.x >= 50 && call.quad.x < 382 && call.quad.y >= 50 &&
                                 call.quad.y < 382;
            count += call.kind == headless::DrawCall::QUAD && onBoard;
        }
        return count;
    }
};

TEST_F(PauseTest, LookingAwayFreezesTheGameHidesTheBoardAndPausesTheMusic) {
    for (const int32_t mode : {MODE_MIXER, MODE_MEMORY}) {
        SCOPED_TRACE(mode);
        playingGame(mode);
        take(0, 30);  // a take animation and a bonus pop-up under way
        frames(3);
        headless::loseFocus();
        frame();  // its wait sees the loss: the next step is the first paused one
        const auto before = snapshot(*game);
        frame();
        ASSERT_FALSE(headless::soundCalls().empty());
        EXPECT_EQ(headless::soundCalls().front().op, "pauseMusic");
        frames(400);
        EXPECT_TRUE(game->isPaused());
        EXPECT_EQ(snapshot(*game), before);
        EXPECT_EQ(quadsOnTheBoard(), 0u) << "no card shows while paused";
        EXPECT_EQ(textRunsAt("PAUSE", 136, 200).size(), 1u);
        EXPECT_EQ(textRunsAt("CLICK TO GO ON", 132, 250).size(), 1u);

        clickCard(1);  // its second frame resumes, and the click is used up by that
        EXPECT_FALSE(game->isPaused());
        ASSERT_FALSE(headless::soundCalls().empty());
        EXPECT_EQ(headless::soundCalls().back().op, "resumeMusic");
        frame();
        EXPECT_EQ(game->getFirstPick(), NO_CARD) << "the resuming click picks nothing";
        EXPECT_GT(quadsOnTheBoard(), 0u);
    }
}

// The same clicks give the same game whether or not a pause came between them, READY
// included: same score, same recorded frames. The frame in which a resuming key or click
// is let go is the first live one, so the paused run waits one frame less after it.
TEST_F(PauseTest, APausedGameEndsAsTheSameGameNeverPaused) {
    const auto play = [this](bool withPauses) {
        newGame(MODE_LINE);
        frames(50);
        if (withPauses) {
            press(keyInput(KEY_P));
            frames(100);
            press(keyInput(KEY_P));
        }
        frames(withPauses ? 131 : 132);
        for (int32_t pair = 0; pair < 12; ++pair) {
            clickCard(pair);
            clickCard(pair + 30);
            const bool pauseHere = withPauses && (pair == 5 || pair == 8);
            frames(pauseHere ? 39 : 40);
            if (pauseHere) {
                headless::loseFocus();
                frames(300);
                // The keypad's A resumes too, and is used up by that, cursor and all.
                pair == 5 ? clickAt(600, 400) : press(keyInput(KEY_Z));
            }
        }
        return std::make_tuple(game->getScore(), game->getTimeLeft(), game->getTakenCount(),
                               game->getKeypad().getFrame(),
                               game->getKeypad().getRecordLength(), game->getCursor().shown());
    };
    const auto plain = play(false);
    EXPECT_EQ(std::get<2>(plain), 24) << "the clicks took their pairs";
    EXPECT_EQ(play(true), plain);
}

// Paused or iconified, a frame is shown only when something on it changes; otherwise the
// wait sleeps until an event. Resumed, every frame is shown again.
TEST_F(PauseTest, AnIdleGameIsShownOnlyWhenSomethingChanges) {
    playingGame(MODE_MIXER);
    const auto shown = [] { return headless::window().presents; };
    headless::loseFocus();
    frames(2);  // the first paused frame shows the pause text
    int before = shown();
    const int waits = headless::window().eventWaits;
    frames(100);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(headless::window().eventWaits, waits + 100);
    // The frame after a press does not sleep: a resuming click is read while it is held.
    headless::setKey(KEY_X, true);
    frames(3);
    EXPECT_EQ(headless::window().eventWaits, waits + 102);
    headless::setKey(KEY_X, false);
    before = shown();

    // Each change shows one frame; the iconified window shows none until restored.
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"expose", [] { headless::expose(); }},
        {"new size", [] { headless::resizeWindow(800, 600); }},
        {"mute", [] { headless::setKey(KEY_M, true); }},
        {"F5, then a key", [this, &before, &shown] {
             headless::setKey(KEY_F5, true);
             frames(50);
             before = shown();  // the key itself showed a frame
             headless::setKey(KEY_F10, true);
         }},
        {"iconified, then restored", [this] {
             headless::iconifyByWindowManager();
             frames(50);
             headless::restoreByWindowManager();
         }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        before = shown();
        change();
        frames(3);
        EXPECT_EQ(shown(), before + 1);
        for (int key : {KEY_M, KEY_F5, KEY_F10}) headless::setKey(key, false);
        frames(3);
    }
    EXPECT_TRUE(game->isPaused());
    before = shown();
    press(keyInput(KEY_P));
    frames(5);
    EXPECT_FALSE(game->isPaused());
    EXPECT_EQ(shown(), before + 1 + 5) << "the resume frame and every one after it";
}
