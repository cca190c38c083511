// The options screen: clicks on arrows and switches, keys, what is kept, and the way back.
#include <gtest/gtest.h>

#include <tuple>

#include "state/options_main.h"
#include "support/config_text.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

using OptionsScreen = FrameworkTest;

TEST_F(OptionsScreen, ArrowsSwitchesAndKeysChangeAndKeepOptionsAndAClickOutsideLeaves) {
    writeFile("config.ini", configText());
    Tolm_loadWAV("select", "resource/sound/select.wav");
    OptionsMain options;
    EXPECT_EQ(options.getRow(), 0);
    frameWith(options, leftClick(518, 150));  // MUSIC's right arrow, at 10 already
    headless::clearSoundCalls();
    frameWith(options, leftClick(398, 200));  // EFFECTS' left arrow
    EXPECT_EQ(playedSounds().size(), 1u) << "a sample at the new level";
    frameWith(options, leftClick(460, 250));  // the MUTE switch
    EXPECT_EQ(options.getRow(), 2);
    EXPECT_EQ(std::make_tuple(Tolm_musicVolume(), Tolm_effectsVolume(), Tolm_isMuted()),
              std::make_tuple(10, 9, true));
    for (const int key : {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_RIGHT}) {
        frameWith(options, keyInput(key));  // the last row, then KEEP 4:3 on
    }
    EXPECT_TRUE(Tolm_keepsAspect());
    EXPECT_EQ(readFile("config.ini"),
              configText() + "EFFECTS_VOLUME = 9\nMUTE = 1\nKEEP_ASPECT = 1\n");
    EXPECT_EQ(options.getMsg(), MSG_STAY);
    frameWith(options, leftClick(600, 150));  // outside the rows
    EXPECT_EQ(options.getMsg(), MSG_TITLE);
}
