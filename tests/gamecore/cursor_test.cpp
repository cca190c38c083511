// The card cursor: its moves, its repeat, MIXER following, a gamepad game, and watch files
// that name the first second a replay differs.
#include <cstdio>
#include <functional>
#include <string>

#include "game_fixture.h"
#include "gamecore/card_cursor.h"
#include "keypad/keypad_fields.h"

namespace {

// Held and pushed at once: 'A', 'B', 'L', 'U', 'R', 'D'; anything else pushes nothing.
KeypadState pushed(char button) {
    KeypadState state;
    const size_t k = std::string("ABLURD").find(button);
    if (k == std::string::npos) return state;
    state.*keypad_fields::HOLD[k] = true;
    state.*keypad_fields::PUSH[k] = true;
    return state;
}

void playToResults(GameMain& game) {
    while (game.getScene() != GameMain::RESULTS) {
        game.step();
        Tolm_wait(FRAME_PERIOD);
    }
}

struct MoveCase {
    const char* name;
    std::vector<int> taken;
    const char* moves;  // 'x' takes the cursor's card
    int32_t expected;
};

}  // namespace

// Cards 0..8 on a 3 x 3 grid 40 apart; the first push only shows the cursor.
TEST(CardCursor, MovesToTheNearestCardWithinTheConeThenTheSideThenStays) {
    const std::vector<MoveCase> cases = {
        {"starts nearest (0, 0), a tie to the lower index", {0}, "", 1},
        {"along the top row", {}, "RR", 2},
        {"stops at the right edge", {}, "RRR", 2},
        {"stops at the top edge", {}, "U", 0},
        {"down, then at the left edge", {}, "DL", 3},
        {"over a taken card", {1}, "R", 2},
        {"to the side when the cone is empty", {1, 2, 4, 5, 7}, "R", 8},
        {"stays with nothing on that side", {1, 2, 4, 5, 7, 8}, "R", 0},
        {"side tie to the lower index", {1}, "DRU", 0},
        {"a taken card leaves an empty place", {}, "DRx", NO_CARD},
        {"the next move measures from that place", {}, "DRxR", 5},
        {"and upward from it", {}, "DRxU", 1},
    };
    for (const MoveCase& c : cases) {
        CardTable cards{};
        for (int32_t i = 0; i < 9; ++i) {
            cards.at(i).x = 40.0f * static_cast<float>(i % 3);
            cards.at(i).y = 40.0f * static_cast<float>(i / 3);
        }
        for (int i : c.taken) cards.at(static_cast<size_t>(i)).state = 2;
        CardCursor cursor;
        cursor.update(pushed('A'), cards, 9, 50, 50);
        for (const char* move = c.moves; *move != '\0'; ++move) {
            if (*move == 'x') cards.at(static_cast<size_t>(cursor.at())).state = 2;
            cursor.update(pushed(*move), cards, 9, 50, 50);
        }
        EXPECT_EQ(cursor.at(), c.expected) << c.name;
    }
}

TEST(CardCursor, AHeldDirectionRepeatsAfter15FramesThenEvery5) {
    CardTable cards{};
    for (int32_t i = 0; i < 40; ++i) cards.at(i).x = 40.0f * static_cast<float>(i);
    CardCursor cursor;
    cursor.update(pushed('B'), cards, 40, 0, 0);
    KeypadState held;
    held.holdRight = true;
    std::vector<int> movedAt;
    for (int frame = 0; frame <= 31; ++frame) {
        const int32_t before = cursor.at();
        cursor.update(frame == 0 ? pushed('R') : held, cards, 40, 0, 0);
        if (cursor.at() != before) movedAt.push_back(frame);
    }
    EXPECT_EQ(movedAt, (std::vector<int>{0, 15, 20, 25, 30}));
}

TEST_F(GameTest, TheCursorRidesAMixerCardFramedInWhiteOverBlack) {
    playingGame(MODE_MIXER);
    frames(5);
    EXPECT_FALSE(game->getCursor().shown());
    pressKey(KEY_SPACE);
    const int32_t at = game->getCursor().at();
    const float startX = game->card(at).x;
    frames(30);
    const Card& riding = game->card(at);
    EXPECT_NE(riding.x, startX);
    EXPECT_EQ(game->getCursor().at(), at);
    const int32_t left = game->getBoardX() + static_cast<int32_t>(std::lround(riding.x));
    const int32_t top = game->getBoardY() + static_cast<int32_t>(std::lround(riding.y));
    EXPECT_TRUE(drewBox({left - 3, top - 3, 38, 3}, {0, 0, 0, 255}));
    EXPECT_TRUE(drewBox({left - 3, top - 3, 38, 2}, WHITE));
}

// The hat, the first stick and buttons 0 and 1 play: show, pick, drop with B, pick,
// move, take, A on the empty place, move on.
TEST_F(GameTest, AGamepadAlonePicksDropsAndTakes) {
    Tolm_quit();
    headless::attachJoysticks(1, 2);
    Tolm_init("KORVANE", 640, 480, false, false);
    playingGame(MODE_LINE);
    const auto press = [&](auto set) {
        set(true);
        frame();
        set(false);
        frame();
    };
    const auto button = [&](int b) { press([b](bool on) { headless::setJoystickButton(0, b, on); }); };
    button(0);
    EXPECT_EQ(game->getCursor().at(), 0);
    button(0);
    EXPECT_EQ(game->getFirstPick(), 0);
    button(1);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    button(0);
    press([](bool on) { headless::setJoystickHat(0, on ? plat::HAT_RIGHT : 0); });
    button(0);
    EXPECT_EQ(game->getTakenCount(), 2);
    EXPECT_GT(game->getScore(), 0);
    button(0);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    press([](bool on) { headless::setJoystickAxis(0, 0, on ? 32767 : 0); });
    EXPECT_EQ(game->getCursor().at(), 2);
}

// A keyboard game, replayed from files with one button frame or one pointer frame changed
// and the CRC made right: each names the second that closes after the change, as the
// clock showed it, in the log and on the screen.
TEST_F(GameTest, AChangedFrameNamesTheFirstSecondThatDiffers) {
    playingGame(MODE_LINE);
    frames(100);
    for (int key : {KEY_Z, KEY_Z, KEY_RIGHT, KEY_Z}) pressKey(key);  // show, pick 0, take 1
    playToResults(*game);
    const WatchRecord recorded = game->recording();
    size_t pick = 0;
    for (int pushes = 0; pushes < 2; ++pick) pushes += (recorded.frames.at(pick).keys >> 6) & 1;
    const std::vector<std::pair<size_t, std::function<void(PointerFrame&)>>> changes = {
        {pick - 1, [](PointerFrame& f) { f.keys = 0; }},
        {400, [](PointerFrame& f) { f = {220, 110, POINTER_LEFT_PUSHED, 0}; }},  // on card 5
    };
    for (const auto& [at, change] : changes) {
        WatchRecord changed = recorded;
        change(changed.frames.at(at));
        GameMain replay(WatchedGame{"x.watch", decodeWatch(encodeWatch(changed))});
        playToResults(replay);
        const int32_t clock = GAME_FRAMES - 60 * static_cast<int32_t>(at / 60 + 1);
        char shown[16];
        std::snprintf(shown, sizeof shown, "%02d:%02d", clock / 3600, clock / 60 % 60);
        EXPECT_NE(readFile("run.log").find("Watch x.watch: MISMATCH at " + std::string(shown) +
                                           " recorded " + std::to_string(recorded.score)),
                  std::string::npos) << shown;
        headless::clearDrawCalls();
        replay.draw();
        EXPECT_EQ(textRuns("MISMATCH AT " + std::string(shown)).size(), 1u);
    }
}
