// Live logical buttons per source, the recording step and the table's limits.
#include <gtest/gtest.h>

#include "keypad/keypad.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

using KeypadLive = FrameworkTest;

// Two joysticks of two buttons each, present from start-up.
class KeypadJoystick : public FrameworkTest {
protected:
    void SetUp() override { setUpWithJoysticks(2, 2); }
};

void press(int key, bool down = true) { headless::setKey(key, down); }

TEST_F(KeypadLive, AnswersLiveKeysBeforeAnyUpdate) {
    Keypad pad(0);
    press(KEY_RETURN);
    press(KEY_LEFT);
    press(KEY_RIGHT);
    nextFrame();
    EXPECT_TRUE(pad.holdB(false) && pad.pushB(false));
    EXPECT_TRUE(pad.holdLeft(false) && pad.holdRight(false) && pad.pushRight(false));
    EXPECT_FALSE(pad.holdA(false) || pad.holdUp(false) || pad.holdDown(false));
    press(KEY_UP);
    nextFrame();
    EXPECT_TRUE(pad.pushUp(false));
    EXPECT_FALSE(pad.pushLeft(false) || pad.pushB(false));
    EXPECT_TRUE(pad.holdB(false));
    EXPECT_EQ(pad.getFrame(), 0);
}

TEST_F(KeypadLive, SecondSourceGoingDownIsAPushWhileTheFirstIsHeld) {
    Keypad pad(0);
    press(KEY_Z);
    nextFrame();
    nextFrame();
    EXPECT_FALSE(pad.pushA(false));
    press(KEY_SPACE);
    nextFrame();
    EXPECT_TRUE(pad.pushA(false));
}

TEST_F(KeypadJoystick, JoystickOfTheOwnSlotOnlyAndKeyboardOnlyForPadZero) {
    Keypad pad(1);
    press(KEY_Z);
    press(KEY_UP);
    headless::setJoystickButton(0, 1, true);  // slot 0 belongs to pad 0
    headless::setJoystickButton(1, 0, true);
    headless::setJoystickAxis(1, 0, -26215);
    headless::setJoystickAxis(1, 1, 32767);
    nextFrame();
    EXPECT_TRUE(pad.holdA(false) && pad.pushA(false) && pad.holdLeft(false) && pad.pushDown(false));
    EXPECT_FALSE(pad.holdB(false) || pad.holdUp(false) || pad.holdRight(false));
    EXPECT_TRUE(Keypad(0).holdB(false));
    headless::setJoystickAxis(1, 0, -26214);  // on the threshold is not beyond it
    nextFrame();
    EXPECT_FALSE(pad.holdLeft(false));
}

TEST_F(KeypadLive, PadsAreSlotsZeroToThreeAndAnEmptySlotAnswersFalse) {
    EXPECT_THROW(Keypad{-1}, TolmError);
    EXPECT_THROW(Keypad{JOY_SLOTS}, TolmError);
    Keypad pad(3);
    nextFrame();
    EXPECT_FALSE(pad.holdA(false) || pad.pushLeft(false));
}

TEST_F(KeypadLive, EachUpdateStoresTheNextFrame) {
    Keypad pad(0);
    press(KEY_Z);
    nextFrame();
    pad.update();
    nextFrame();
    pad.update();
    pad.update();
    EXPECT_EQ(pad.getFrame(), 3);
    EXPECT_EQ(pad.getRecordLength(), 4);
    EXPECT_FALSE(pad.stateAt(0).holdA);
    EXPECT_TRUE(pad.stateAt(1).holdA && pad.stateAt(1).pushA);
    EXPECT_TRUE(pad.stateAt(2).holdA);
    EXPECT_FALSE(pad.stateAt(2).pushA);
}

TEST_F(KeypadLive, RecordFlagsMaskOnlyWhatIsStoredFromTheNextUpdate) {
    Keypad pad(0);
    for (int key : {KEY_Z, KEY_X, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN}) press(key);
    nextFrame();
    pad.setRecordA(false);
    pad.setRecordB(false);
    pad.setRecordRight(false);
    pad.update();
    EXPECT_TRUE(pad.holdB(false) && pad.pushB(false));
    const KeypadState& first = pad.stateAt(1);
    EXPECT_FALSE(first.holdA || first.pushA || first.holdB || first.pushB || first.holdRight ||
                 first.pushRight);
    EXPECT_TRUE(first.holdLeft && first.pushUp && first.holdDown && first.pushDown);
    pad.setRecordB(true);
    pad.setRecordLeft(false);
    pad.setRecordUp(false);
    pad.setRecordDown(false);
    pad.update();
    const KeypadState& second = pad.stateAt(2);
    EXPECT_TRUE(second.holdB);
    EXPECT_FALSE(second.holdLeft || second.holdUp || second.holdDown);
}

// A recording full to the last entry stops there instead of writing past the table.
TEST_F(KeypadLive, FullTableStopsTheRecordingAtTheLastEntry) {
    Keypad pad(0);
    press(KEY_Z);
    nextFrame();
    for (int32_t i = 0; i < MAX_FRAME + 100; ++i) pad.update();
    EXPECT_EQ(pad.getFrame(), MAX_FRAME - 1);
    EXPECT_EQ(pad.getRecordLength(), MAX_FRAME - 1);
    EXPECT_TRUE(pad.stateAt(MAX_FRAME - 1).holdA);
    EXPECT_THROW(pad.stateAt(MAX_FRAME), TolmError);
    EXPECT_THROW(pad.stateAt(-1), TolmError);
}

}  // namespace
