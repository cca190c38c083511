// The keypad on the board: cursor moves and repeat, MIXER following, a gamepad game, a
// mouse-only game drawn as before, and watch files naming the first second that differs.
#include <cstdio>
#include <sstream>

#include "game_fixture.h"
#include "keypad/keypad_fields.h"

namespace {

// Held and pushed at once: one of "ABLURD"; anything else pushes nothing.
KeypadState pushed(char button) {
    KeypadState state;
    const size_t k = std::string("ABLURD").find(button);
    if (k == std::string::npos) return state;
    state.*keypad_fields::HOLD[k] = state.*keypad_fields::PUSH[k] = true;
    return state;
}

void playToResults(GameMain& game) {
    while (game.getScene() != GameMain::RESULTS) game.step(), Tolm_wait(FRAME_PERIOD);
}

}  // namespace

// Cards 0..8 on a 3 x 3 grid 40 apart; the first push only shows the cursor; 'x' takes
// the cursor's card.
TEST(CardCursor, MovesToTheNearestCardWithinTheConeThenTheSideThenStays) {
    const std::vector<std::tuple<const char*, const char*, int32_t>> cases = {
        {"0", "", 1},  // nearest (0, 0), a tie to the lower index
        {"", "RR", 2},     {"", "RRR", 2},   {"", "U", 0},      {"", "DL", 3},
        {"1", "R", 2},     {"12457", "R", 8},  // over a taken card; to the side
        {"124578", "R", 0},  // nothing on that side
        {"45", "DR", 2},     // a tie within the cone to the lower index
        {"1", "DRU", 0},     // a tie on the side to the lower index
        {"", "DRx", NO_CARD}, {"", "DRxR", 5}, {"", "DRxU", 1},  // moves from a taken place
    };
    for (const auto& [taken, moves, expected] : cases) {
        CardTable cards{};
        for (int32_t i = 0; i < 9; ++i) {
            cards.at(i).x = static_cast<float>(40 * (i % 3));
            cards.at(i).y = static_cast<float>(40 * (i / 3));
        }
        for (const char* t = taken; *t != '\0'; ++t) cards.at(*t - '0').state = 2;
        CardCursor cursor;
        cursor.update(pushed('A'), cards, 9, 50, 50);
        for (const char* move = moves; *move != '\0'; ++move) {
            if (*move == 'x') cards.at(cursor.at()).state = 2;
            cursor.update(pushed(*move), cards, 9, 50, 50);
        }
        EXPECT_EQ(cursor.at(), expected) << taken << " " << moves;
    }
}

TEST(CardCursor, AHeldDirectionRepeatsAfter15FramesThenEvery5) {
    CardTable cards{};
    for (int32_t i = 0; i < 40; ++i) cards.at(i).x = 40.0f * static_cast<float>(i);
    CardCursor cursor;
    cursor.update(pushed('B'), cards, 40, 0, 0);
    std::vector<int> movedAt;
    for (int frame = 0; frame <= 31; ++frame) {
        const int32_t before = cursor.at();
        KeypadState held = pushed(frame == 0 ? 'R' : ' ');
        held.holdRight = true;
        cursor.update(held, cards, 40, 0, 0);
        if (cursor.at() != before) movedAt.push_back(frame);
    }
    EXPECT_EQ(movedAt, (std::vector<int>{0, 15, 20, 25, 30}));
}

TEST_F(GameTest, TheCursorRidesAMixerCardFramedInWhiteOverBlack) {
    playingGame(MODE_MIXER);
    frames(5);
    EXPECT_FALSE(game->getCursor().shown());
    press(keyInput(KEY_SPACE));
    const int32_t at = game->getCursor().at();
    const float startX = game->card(at).x;
    frames(30);
    const Card& riding = game->card(at);
    EXPECT_NE(riding.x, startX);
    EXPECT_EQ(game->getCursor().at(), at);
    const int32_t left = game->getBoardX() + static_cast<int32_t>(std::lround(riding.x)) - 3;
    const int32_t top = game->getBoardY() + static_cast<int32_t>(std::lround(riding.y)) - 3;
    EXPECT_TRUE(drewBox({left, top, 38, 3}, {0, 0, 0, 255}) && drewBox({left, top, 38, 2}, WHITE));
}

// The hat, the first stick and buttons 0 and 1 alone: show, pick, drop with B, pick,
// move, take, A on the empty place, move on.
TEST_F(GameTest, AGamepadAlonePicksDropsAndTakes) {
    Tolm_quit();
    headless::attachJoysticks(1, 2);
    Tolm_init("KORVANE", 640, 480, false, false);
    playingGame(MODE_LINE);
    press(padButton(0));
    press(padButton(0));
    EXPECT_EQ(game->getFirstPick(), 0);
    press(padButton(1));
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    press(padButton(0));
    press([](bool on) { headless::setJoystickHat(0, on ? plat::HAT_RIGHT : 0); });
    press(padButton(0));
    EXPECT_EQ(game->getTakenCount(), 2);
    press(padButton(0));
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    press([](bool on) { headless::setJoystickAxis(0, 0, on ? 32767 : 0); });
    EXPECT_EQ(game->getCursor().at(), 2);
}

// Two takes, a miss, a card turned up and a drop, hovering between clicks: the same calls
// as the game drew before the keypad could play (its hash, taken then).
TEST_F(GameTest, AMouseOnlyGameDrawsAsBefore) {
    playingGame(MODE_LINE);
    std::ostringstream out;
    const auto record = [&out] {
        for (const headless::DrawCall& c : headless::drawCalls()) {
            const plat::TexturedQuad& q = c.quad;
            const plat::GlyphRun& g = c.glyphs;
            const plat::Box& b = c.box;
            out << c.kind << ' ' << c.blend << ' ' << q.texture << ' ' << q.x << ' ' << q.y << ' '
                << q.w << ' ' << q.h << ' ' << q.angle << ' ' << q.s0 << ' ' << q.t0 << ' '
                << int{q.a} << ' ' << g.text << ' ' << g.y << ' ' << g.cell << ' '
                << (g.cells.empty() ? -1 : g.cells.front().x) << ' ' << int{g.r} << int{g.g}
                << int{g.b} << ' ' << b.x << ' ' << b.y << ' ' << b.w << ' ' << b.h << ' '
                << b.lineWidth << ' ' << int{b.r} << int{b.g} << int{b.b} << int{b.a} << '\n';
        }
    };
    for (int32_t index : {0, 1, 2, 43, 2, 5, 5, 6, 36}) {
        clickCard(index);
        record();
        frames(2);
        record();
    }
    EXPECT_EQ(game->getTakenCount(), 4);
    EXPECT_EQ(std::hash<std::string>{}(out.str()), 6804975575900610824u);
}

// A keyboard game replayed with one button or pointer frame changed, CRC made right: the
// log and the screen name the second that closes after the change, as the clock showed it.
TEST_F(GameTest, AChangedFrameNamesTheFirstSecondThatDiffers) {
    playingGame(MODE_LINE);
    frames(100);
    for (int k : {KEY_Z, KEY_Z, KEY_RIGHT, KEY_Z}) press(keyInput(k));  // show, pick 0, take 1
    playToResults(*game);
    const WatchRecord recorded = game->recording();
    size_t pick = 0;
    for (int pushes = 0; pushes < 2; ++pick) pushes += (recorded.frames.at(pick).keys >> 6) & 1;
    const std::vector<std::pair<size_t, PointerFrame>> changes = {
        {pick - 1, {recorded.frames.at(pick - 1).x, recorded.frames.at(pick - 1).y, 0, 0}},
        {400, {220, 110, POINTER_LEFT_PUSHED, 0}},  // a click on card 5
    };
    for (const auto& [at, changed] : changes) {
        WatchRecord watched = recorded;
        watched.frames.at(at) = changed;
        GameMain replay(WatchedGame{"x.watch", decodeWatch(encodeWatch(watched))});
        playToResults(replay);
        const int32_t clock = GAME_FRAMES - 60 * static_cast<int32_t>(at / 60 + 1);
        char shown[16];
        std::snprintf(shown, sizeof shown, "%02d:%02d", clock / 3600, clock / 60 % 60);
        EXPECT_NE(readFile("run.log").find("Watch x.watch: MISMATCH at " + std::string(shown) +
                                           " recorded " + std::to_string(recorded.score)),
                  std::string::npos);
        headless::clearDrawCalls();
        replay.draw();
        EXPECT_EQ(textRuns("MISMATCH AT " + std::string(shown)).size(), 1u) << shown;
    }
}
