// The playing scene's input: what a watched game gives step by step, and the live cap.
#include <gtest/gtest.h>

#include <tuple>

#include "gamecore/game_input.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

namespace {

constexpr PointerFrame PRESS{10, 20, POINTER_LEFT_HELD | POINTER_LEFT_PUSHED};
constexpr PointerFrame HOLD{30, 40, POINTER_LEFT_HELD};

using PlayInputTest = FrameworkTest;

TEST_F(PlayInputTest, AWatchedGameStartsAtItsFirstPlaceAndEndsWithTheButtonUp) {
    // Steps taken and what the rules see: before the first step the first place, once the
    // recording has run out the last place, and no button either side of it.
    const std::pair<int, PointerFrame> cases[] = {
        {0, {10, 20, 0}}, {1, PRESS}, {2, HOLD}, {3, {30, 40, 0}}, {9, {30, 40, 0}}};
    for (const auto& [steps, seen] : cases) {
        SCOPED_TRACE(steps);
        PlayInput input(
            WatchedGame{"w.watch", WatchRecord{3, 99, 500, {PRESS, HOLD}, {}, WATCH_VERSION}});
        EXPECT_EQ(input.startSeed(), 99u);
        for (int step = 0; step < steps; ++step) input.advance(KeypadState{});
        EXPECT_EQ(std::make_tuple(input.x(), input.y(), input.leftHeld(), input.leftPushed()),
                  std::make_tuple(seen.x, seen.y, (seen.buttons & POINTER_LEFT_HELD) != 0,
                                  (seen.buttons & POINTER_LEFT_PUSHED) != 0));
    }
}

TEST_F(PlayInputTest, ALiveRecordingKeepsEachSteppedPointerUpToTheCap) {
    PlayInput input;
    input.startSeed();
    headless::setMouse(5, 6);
    nextFrame();
    for (uint32_t step = 0; step <= MAX_WATCH_FRAMES; ++step) input.advance(KeypadState{});
    const WatchRecord record = input.recording(2, 7);
    EXPECT_EQ(record.frames.size(), MAX_WATCH_FRAMES);
    EXPECT_EQ(record.frames.front(), (PointerFrame{5, 6, 0}));
    EXPECT_EQ(std::make_pair(record.mode, record.score), std::make_pair(2, 7));
}

}  // namespace
