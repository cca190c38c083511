// The sample store and the music: replacement, errors and the calls reaching the mixer.
#include <gtest/gtest.h>

#include "support/error_of.h"
#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

using SoundTest = FrameworkTest;

namespace {
std::vector<std::string> ops() {
    std::vector<std::string> result;
    for (const auto& call : headless::soundCalls()) result.push_back(call.op + " " + call.file);
    return result;
}
}  // namespace

TEST_F(SoundTest, LoadingAKeyAgainFreesTheFirstSample) {
    Tolm_loadWAV("select", "resource/sound/select.wav");
    headless::clearSoundCalls();
    Tolm_loadWAV("select", "resource/sound/clear.wav");
    Tolm_playWAV("select", 0, -1);
    EXPECT_EQ(ops(), (std::vector<std::string>{"free resource/sound/select.wav",
                                               "load resource/sound/clear.wav",
                                               "play resource/sound/clear.wav"}));
}

TEST_F(SoundTest, StoreErrorsCarryTheirExactMessages) {
    const std::string missing = errorOf([] { Tolm_loadWAV("x", "resource/sound/none.wav"); });
    EXPECT_EQ(missing.rfind("Tolm_loadWAV: ", 0), 0u) << missing;
    EXPECT_NE(missing.find("(resource/sound/none.wav)"), std::string::npos);
    Tolm_loadWAV("select", "resource/sound/select.wav");
    Tolm_disposeWAV("select");
    EXPECT_EQ(errorOf([] { Tolm_disposeWAV("select"); }),
              "Tolm_disposeWAV: Has not exist key: select");
    EXPECT_EQ(errorOf([] { Tolm_playWAV("select", 0, -1); }),
              "Tolm_playWAV: Has not exist key: select");
}

TEST_F(SoundTest, NewMusicReplacesTheOldAndAFadeKeepsItLoaded) {
    const std::string first = "resource/sound/bgm_mogmog.ogg";
    const std::string second = "resource/sound/results.ogg";
    Tolm_stopBgm(0);  // nothing loaded: nothing happens
    Tolm_playBgm(first, -1, 0);
    Tolm_stopBgm(1000);
    Tolm_playBgm(second, 1, 0);
    Tolm_stopBgm(0);
    EXPECT_EQ(ops(), (std::vector<std::string>{
                         "loadMusic " + first, "playMusic " + first, "fadeOut " + first,
                         "haltMusic " + first, "freeMusic " + first, "loadMusic " + second,
                         "playMusic " + second, "haltMusic " + second, "freeMusic " + second}));
    EXPECT_THROW(Tolm_playBgm("resource/sound/none.ogg", 1, 0), TolmError);
}

// In silence every call succeeds without reaching the mixer, but a broken install still shows.
TEST_F(SoundTest, WithoutADeviceCallsDoNothingButMissingFilesStillFail) {
    Tolm_setAudioDevice(false);
    headless::clearSoundCalls();
    Tolm_loadWAV("select", "resource/sound/select.wav");
    Tolm_playWAV("select", 0, -1);
    Tolm_haltChannel(-1);
    Tolm_playBgm("resource/sound/results.ogg", 1, 0);
    Tolm_stopBgm(1000);
    Tolm_disposeWAV("select");
    Tolm_setMuted(true);
    EXPECT_TRUE(Tolm_isMuted());
    EXPECT_TRUE(ops().empty());
    EXPECT_EQ(errorOf([] { Tolm_loadWAV("x", "resource/sound/none.wav"); }),
              "Tolm_loadWAV: Couldn't open resource/sound/none.wav(resource/sound/none.wav)");
    EXPECT_EQ(errorOf([] { Tolm_playBgm("resource/sound/none.ogg", 1, 0); }),
              "Tolm_playBgm: Couldn't open resource/sound/none.ogg");
    EXPECT_EQ(errorOf([] { Tolm_playWAV("select", 0, -1); }),
              "Tolm_playWAV: Has not exist key: select");
    Tolm_setMuted(false);
    Tolm_setAudioDevice(true);
}

// Levels reach the mixer as their squares over 0..128, once per change; 10 is full volume.
TEST_F(SoundTest, VolumeLevelsReachTheMixerAsSquaresOnlyWhenTheyChange) {
    headless::clearSoundCalls();
    std::vector<std::string> seen;
    for (const int32_t level : {3, 3, 0, 12, 10, 5, -1, 9}) {
        Tolm_setMusicVolume(level);
        Tolm_setEffectsVolume(MAX_VOLUME_LEVEL - level);
    }
    for (const auto& call : headless::soundCalls()) {
        seen.push_back(call.op.substr(0, 1) + std::to_string(call.arg));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"m11", "e62", "m0", "e128", "m128", "e0", "m32",
                                              "e32", "m0", "e128", "m103", "e1"}));
    EXPECT_EQ(Tolm_musicVolume(), 9);
}
