// The options and the window kept in config.ini: good values, and values of the wrong form.
#include <gtest/gtest.h>

#include <tuple>

#include "config/saved_options.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace {

auto fields(const SavedOptions& o) {
    return std::make_tuple(o.musicVolume, o.effectsVolume, o.fullScreen, o.keepAspect,
                           o.windowWidth, o.windowHeight);
}

}  // namespace

TEST(SavedOptions, GoodValuesReadAndAnyOtherFormIsLoggedAndReadAsTheDefault) {
    ScratchDir dir;
    writeFile("config.ini", "MUSIC_VOLUME = 0\nEFFECTS_VOLUME = 7\nFULLSCREEN = 1\n"
                            "KEEP_ASPECT = 1\nWINDOW_WIDTH = 1024\nWINDOW_HEIGHT = 16384\n");
    EXPECT_EQ(fields(readSavedOptions(CONFIG_FILE, true)),
              std::make_tuple(0, 7, true, true, 1024, 16384));
    const std::string tail = "; read as ";
    for (const auto& [line, logged] : std::vector<std::pair<std::string, std::string>>{
             {"MUSIC_VOLUME = 11", "MUSIC_VOLUME = '11' is not 0 to 10" + tail + "10"},
             {"EFFECTS_VOLUME = -1", "EFFECTS_VOLUME = '-1' is not 0 to 10" + tail + "10"},
             {"MUSIC_VOLUME =", "MUSIC_VOLUME = '' is not 0 to 10" + tail + "10"},
             {"FULLSCREEN = 2", "FULLSCREEN = '2' is not 0 or 1" + tail + "0"},
             {"KEEP_ASPECT = yes", "KEEP_ASPECT = 'yes' is not 0 or 1" + tail + "0"},
             {"WINDOW_WIDTH = 0", "WINDOW_WIDTH = '0' is not 1 to 16384" + tail + "640"},
             {"WINDOW_HEIGHT = 4294967776", "WINDOW_HEIGHT = '4294967776' is not 1 to 16384" +
                                                tail + "480"}}) {
        writeFile("config.ini", "HOSHI = 1\n" + line + "\n");
        std::filesystem::remove(LOG_FILE);
        EXPECT_EQ(fields(readSavedOptions(CONFIG_FILE, true)), fields(SavedOptions{})) << line;
        EXPECT_EQ(readFile(LOG_FILE), "config.ini: " + logged + "\n");
        EXPECT_EQ(fields(readSavedOptions(CONFIG_FILE, false)), fields(SavedOptions{}));
    }
}
