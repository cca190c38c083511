// The mute key: toggled by M, kept under "MUTE" in config.ini, shown by a marker.
#include <gtest/gtest.h>

#include "state/mute_setting.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

using MuteTest = FrameworkTest;

TEST_F(MuteTest, MTogglesTheMuteKeepsItInConfigAndLeavesEveryOtherKeyInPlace) {
    const std::string older = "HI_SCORE = 5\nHOSHI = 1\n";  // written before the key existed
    writeFile("config.ini", older);
    restoreMute();
    EXPECT_FALSE(Tolm_isMuted());

    const auto pressM = [this] {
        headless::setKey(KEY_M, true);
        nextFrame();
        serveMuteKey();
        headless::setKey(KEY_M, false);
        nextFrame();
        serveMuteKey();
    };
    headless::clearSoundCalls();
    pressM();
    EXPECT_TRUE(Tolm_isMuted());
    EXPECT_EQ(readFile("config.ini"), older + "MUTE = 1\n");
    ASSERT_EQ(headless::soundCalls().size(), 1u);
    EXPECT_EQ(headless::soundCalls()[0].op, "mute");
    headless::clearDrawCalls();
    drawMuteMarker();
    const plat::GlyphRun* marker = findText("MUTE");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->y, 470);

    Tolm_setMuted(false);
    restoreMute();  // the next start
    EXPECT_TRUE(Tolm_isMuted());
    pressM();
    EXPECT_FALSE(Tolm_isMuted());
    EXPECT_EQ(readFile("config.ini"), older + "MUTE = 0\n");
    headless::clearDrawCalls();
    drawMuteMarker();
    EXPECT_EQ(findText("MUTE"), nullptr);

    writeFile("config.ini", older + "MUTE = on\n");  // a value of the wrong form means sound
    restoreMute();
    EXPECT_FALSE(Tolm_isMuted());
}
