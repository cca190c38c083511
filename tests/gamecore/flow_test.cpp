// Game flow: the countdown, the clock, card timers, MIXER motion and the hand-back.
#include "game_fixture.h"

using FlowTest = GameTest;

TEST_F(FlowTest, ReadyThenGoThenMusicAndPlay) {
    newGame(MODE_LINE);
    int ready = 0;
    int go = 0;
    for (int n = 0; n < 182; ++n) {
        frame();
        for (const auto& run : textRunsAt("READY", 150, 200)) ready += run.cell == 32.0f;
        for (const auto& run : textRunsAt(" GO! ", 155, 200)) go += rgbaOf(run) == WHITE;
        // Every draw begins with its set-up and ends with the meters.
        const auto& calls = headless::drawCalls();
        ASSERT_EQ(calls[2].kind, headless::DrawCall::BLEND);
        EXPECT_EQ(calls[2].blend, BLEND_ALPHA);
        EXPECT_EQ(calls[calls.size() - 2].glyphs.text.rfind("FPS:", 0), 0u);
        EXPECT_EQ(calls[calls.size() - 2].glyphs.y, 10);
        EXPECT_EQ(textOriginX(calls[calls.size() - 2].glyphs), 550);
    }
    EXPECT_EQ(ready, 121);  // counter 0..120
    EXPECT_EQ(go, 60);      // counter 121..180
    EXPECT_EQ(game->getScene(), GameMain::PLAYING);
    ASSERT_FALSE(headless::soundCalls().empty());
    EXPECT_EQ(headless::soundCalls().back().op, "playMusic");
    EXPECT_EQ(headless::soundCalls().back().file, "resource/sound/bgm_mogmog.ogg");
    EXPECT_EQ(headless::soundCalls().back().loops, -1);
    EXPECT_EQ(game->getTimeLeft(), GAME_FRAMES);
}

TEST_F(FlowTest, UntouchedGameEndsInTheFrameTheClockReachesZero) {
    playingGame(MODE_LINE);
    frames(GAME_FRAMES - 1);
    EXPECT_EQ(game->getScene(), GameMain::PLAYING);
    frame();
    EXPECT_EQ(game->getScene(), GameMain::RESULTS);
    EXPECT_EQ(game->getTimeLeft(), 0);
    EXPECT_EQ(game->getKeypad().getFrame(), GAME_FRAMES);
    // Cards whose life was never renewed run out in that same frame.
    for (int32_t i = 0; i < 60; ++i) EXPECT_EQ(game->card(i).life, 0);
}

TEST_F(FlowTest, MemoryCardsTurnDownTogetherAfterThirtySeconds) {
    playingGame(MODE_MEMORY);
    frames(1799);
    EXPECT_EQ(tamaRegion(192, 32, 32, 32).size(), 0u);
    frame();
    EXPECT_EQ(tamaRegion(192, 32, 32, 32).size(), 60u);  // all backs, no faces
    EXPECT_TRUE(tamaRegion(64, 32, 32, 32).empty());
}

TEST_F(FlowTest, BounceReflectsTheHeadingAndKeepsTheRemaindersSign) {
    GameMain& g = setUpGame(MODE_MIXER);
    struct Case {
        float x, y;
        int32_t angle, turned;
    };
    const Case cases[] = {
        {299.5f, 100.0f, 45, 135},  // right wall
        {100.0f, 0.5f, 270, 90},    // top wall
        {0.5f, 100.0f, 200, -20},   // left wall: (180 - 200) rem 360 stays negative
        {299.5f, 299.5f, 45, 225},  // corner: turned twice
    };
    Card& c = g.card(0);
    for (const auto& k : cases) {
        c.x = k.x;
        c.y = k.y;
        c.angle = k.angle;
        c.speed = 1.0f;
        g.moveCards();
        EXPECT_EQ(c.angle, k.turned) << k.angle;
        EXPECT_NEAR(c.x, k.x + Tolm_cos(k.turned), 1e-4);
        EXPECT_NEAR(c.y, k.y + Tolm_sin(k.turned), 1e-4);
    }
}

TEST_F(FlowTest, MixerCardsNeverLeaveTheBoardAndOthersStandStill) {
    GameMain& g = setUpGame(MODE_MIXER, 3);
    for (int n = 0; n < 20000; ++n) {
        g.moveCards();
        for (int32_t i = 0; i < 60; ++i) {
            const Card& c = g.card(i);
            ASSERT_TRUE(c.x >= 0 && c.x <= 300 && c.y >= 0 && c.y <= 300) << i << " at " << n;
        }
    }
    GameMain& square = setUpGame(MODE_SQUARE);
    const float x = square.card(17).x;
    for (int n = 0; n < 100; ++n) square.moveCards();
    EXPECT_EQ(square.card(17).x, x);
}

TEST_F(FlowTest, PickedMixerCardStandsStill) {
    playingGame(MODE_MIXER);
    // Only two cards left in play, so that the click hits the moving one alone.
    for (int32_t i = 0; i < 60; ++i) game->card(i).state = 33;
    for (int32_t i : {4, 5}) {
        Card& c = game->card(i);
        c = Card{0, 0, 150.0f, i == 4 ? 150.0f : 250.0f, 0, 0, 1.0f, 100};
    }
    // Two frames of motion happen before the click is judged.
    clickAt(50 + 152 + 16, 50 + 150 + 16);
    ASSERT_EQ(game->getFirstPick(), 4);
    frames(30);
    EXPECT_FLOAT_EQ(game->card(4).x, 152.0f);
    EXPECT_FLOAT_EQ(game->card(5).x, 182.0f);
}

TEST_F(FlowTest, HoldingTheButtonClicksOnceAndLeavingAsksForTheTitle) {
    playingGame(MODE_LINE);
    headless::setMouse(50 + 99 + 5, 100 + 5);
    headless::setMouseButtons(MOUSE_LEFT);
    frames(12);
    EXPECT_EQ(game->getFirstPick(), 3);  // a repeated click would have dropped it
    headless::setMouseButtons(0);
    game->setTimeLeft(1);
    frames(122);
    ASSERT_EQ(game->getScene(), GameMain::RESULTS);
    clickAt(10, 10);
    EXPECT_EQ(game->getScene(), GameMain::CLOSING);
    frame();
    EXPECT_EQ(game->getScene(), GameMain::LEAVING);
    EXPECT_EQ(game->getMsg(), MSG_STAY);
    frame();
    EXPECT_EQ(game->getMsg(), MSG_TITLE);
    game->setMsg(MSG_STAY);
    frame();
    EXPECT_EQ(game->getMsg(), MSG_TITLE);  // asked again every frame
}
