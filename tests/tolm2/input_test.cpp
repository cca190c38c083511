// Held and pushed queries on the per-frame samples, and logical mouse coordinates.
#include <gtest/gtest.h>

#include "support/framework.h"
#include "tolm2/platform/platform.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

using InputTest = FrameworkTest;

TEST_F(InputTest, KeyHeldThreeFramesIsPushedOnlyAtTheFirst) {
    headless::setKey(KEY_Z, true);
    std::vector<bool> pushed, held;
    for (int frame = 0; frame < 3; ++frame) {
        nextFrame();
        pushed.push_back(Tolm_keyPushed(KEY_Z));
        held.push_back(Tolm_keyHeld(KEY_Z));
    }
    EXPECT_EQ(pushed, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(held, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(Tolm_keyHeld(-1));
    EXPECT_FALSE(Tolm_keyHeld(KEY_COUNT));
    EXPECT_FALSE(Tolm_keyPushed(KEY_COUNT));
}

TEST_F(InputTest, MouseButtonIsPushedForOneFrameAndHeldWhileDown) {
    headless::setMouseButtons(MOUSE_LEFT | MOUSE_RIGHT);
    nextFrame();
    EXPECT_EQ(Tolm_mousePushed(), MOUSE_LEFT | MOUSE_RIGHT);
    headless::setMouseButtons(MOUSE_LEFT);
    nextFrame();
    EXPECT_EQ(Tolm_mousePushed(), 0);
    EXPECT_EQ(Tolm_mouseButtons(), MOUSE_LEFT);
    headless::setMouseButtons(MOUSE_LEFT | MOUSE_MIDDLE);
    nextFrame();
    EXPECT_EQ(Tolm_mousePushed(), MOUSE_MIDDLE);
}

TEST_F(InputTest, MouseReadsInLogicalSpaceAtTheDefaultSize) {
    headless::setMouse(123, 456);
    EXPECT_EQ(Tolm_mouseX(), 123);
    EXPECT_EQ(Tolm_mouseY(), 456);
}

TEST(LogicalMouse, ScalesWindowPixelsAndNeverDividesByZero) {
    EXPECT_EQ(Tolm_toLogical(640, 1280, 640), 320);
    EXPECT_EQ(Tolm_toLogical(480, 960, 480), 240);
    EXPECT_EQ(Tolm_toLogical(1279, 1280, 640), 639);
    EXPECT_EQ(Tolm_toLogical(799, 800, 640), 639);
    EXPECT_EQ(Tolm_toLogical(100, 0, 640), 0);
    EXPECT_EQ(Tolm_toLogical(100, -5, 640), 0);
}

TEST(LogicalMouse, BigWindowPointerLandsOnWhatIsDrawn) {
    headless::reset();
    ScratchDir dir;
    Tolm_init("KORVANE", 1280, 960, false, false);
    headless::setMouse(640, 480);  // the window's centre
    EXPECT_EQ(Tolm_mouseX(), 320);
    EXPECT_EQ(Tolm_mouseY(), 240);
    Tolm_quit();
}

TEST_F(InputTest, NoJoystickAnswersFalseEverywhere) {
    nextFrame();
    for (int slot = -1; slot <= JOY_SLOTS; ++slot) {
        EXPECT_FALSE(Tolm_joyButtonHeld(0, slot));
        EXPECT_FALSE(Tolm_joyDirHeld(JOY_LEFT, slot));
        EXPECT_FALSE(Tolm_joyDirPushed(JOY_UP, slot));
    }
    for (int slot = 0; slot < JOY_SLOTS; ++slot) {
        EXPECT_FALSE(Tolm_joystick(slot).open());
        EXPECT_EQ(Tolm_joystick(slot).buttonCount, 0);
    }
}

class JoystickTest : public FrameworkTest {
protected:
    void SetUp() override { setUpWithJoysticks(2, 1); }
};

TEST_F(JoystickTest, AxisMustPassTheThresholdStrictly) {
    headless::setJoystickAxis(0, 0, AXIS_THRESHOLD);
    headless::setJoystickAxis(0, 1, -AXIS_THRESHOLD);
    nextFrame();
    EXPECT_FALSE(Tolm_joyDirHeld(JOY_RIGHT, 0));
    EXPECT_FALSE(Tolm_joyDirHeld(JOY_UP, 0));
    headless::setJoystickAxis(0, 0, AXIS_THRESHOLD + 1);
    nextFrame();
    EXPECT_TRUE(Tolm_joyDirHeld(JOY_RIGHT, 0));
    EXPECT_TRUE(Tolm_joyDirPushed(JOY_RIGHT, 0));
    EXPECT_FALSE(Tolm_joyDirHeld(JOY_RIGHT, 1));
    EXPECT_FALSE(Tolm_joyDirHeld(4, 0));
    EXPECT_FALSE(Tolm_joyDirHeld(-1, 0));
}

TEST_F(JoystickTest, RightToUpRightKeepsRightHeldAndPushesUp) {
    headless::setJoystickAxis(0, 0, 32767);
    nextFrame();
    headless::setJoystickAxis(0, 1, -32768);
    nextFrame();
    EXPECT_TRUE(Tolm_joyDirHeld(JOY_RIGHT, 0));
    EXPECT_FALSE(Tolm_joyDirPushed(JOY_RIGHT, 0));
    EXPECT_TRUE(Tolm_joyDirPushed(JOY_UP, 0));
}

// Each direction of the hat from its own bit; a held hat pushes on its first frame only.
TEST_F(JoystickTest, HatDirectionsComeFromTheirOwnBitsAndPushOnce) {
    const std::pair<uint8_t, int> hats[] = {{plat::HAT_UP, JOY_UP}, {plat::HAT_RIGHT, JOY_RIGHT},
                                            {plat::HAT_DOWN, JOY_DOWN}, {plat::HAT_LEFT, JOY_LEFT}};
    for (const auto& [bit, dir] : hats) {
        headless::setJoystickHat(0, bit);
        nextFrame();
        for (const auto& other : hats) EXPECT_EQ(Tolm_joyDirHeld(other.second, 0), other.second == dir) << dir;
        EXPECT_TRUE(Tolm_joyDirPushed(dir, 0)) << dir;
        nextFrame();
        EXPECT_FALSE(Tolm_joyDirPushed(dir, 0)) << dir;
        headless::setJoystickHat(0, 0);
        nextFrame();
    }
}

TEST_F(JoystickTest, ButtonsOutsideTheDeviceAnswerFalse) {
    headless::setJoystickButton(1, 0, true);
    nextFrame();
    EXPECT_TRUE(Tolm_joyButtonHeld(0, 1));
    EXPECT_TRUE(Tolm_joyButtonPushed(0, 1));
    EXPECT_FALSE(Tolm_joyButtonHeld(1, 1));
    EXPECT_FALSE(Tolm_joyButtonHeld(-1, 1));
    EXPECT_FALSE(Tolm_joyButtonHeld(0, 0));
    nextFrame();
    EXPECT_FALSE(Tolm_joyButtonPushed(0, 1));
}
