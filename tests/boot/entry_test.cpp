// The whole run on the headless platform: start-up, frames, the quit, and shutdown.
#include <gtest/gtest.h>

#include "boot/entry.h"
#include "state/scene_loop.h"
#include "support/scratch.h"
#include "tolm2/platform/null/headless.h"
#include "tolm2/tolm2.h"

TEST(Entry, AQuitEndsTheRunWithTheMessageLastAndStatusZero) {
    headless::reset();
    ScratchDir dir;
    resetSceneLoop();
    headless::requestQuit();
    EXPECT_EQ(runGame(CommandLine{}), 0);
    EXPECT_EQ(readFile(LOG_FILE), "resource loaded.\nExec loop.\ndTolm system quit.\n");
    EXPECT_FALSE(headless::window().open);
    resetSceneLoop();
}

TEST(Entry, AStartUpFailureIsLoggedAndStillShutsDown) {
    headless::reset();
    ScratchDir dir;
    headless::failAudio(true);
    EXPECT_EQ(runGame(CommandLine{}), 0);
    EXPECT_EQ(readFile(LOG_FILE), "Tolm_init: headless: no audio device\n");
    EXPECT_FALSE(headless::window().audioOpen);
}

TEST(Entry, AMissingSharedResourceIsLoggedByName) {
    headless::reset();
    ScratchDir dir(false);
    std::filesystem::create_directories("resource/font");
    std::filesystem::copy_file(sourceDir() / "resource/font/font.bmp", "resource/font/font.bmp");
    EXPECT_EQ(runGame(CommandLine{}), 0);
    EXPECT_EQ(readFile(LOG_FILE),
              "Tolm_Texture::loadBmp : not found file: resource/image/menu.bmp\n");
}
