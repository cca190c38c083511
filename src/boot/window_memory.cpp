// The saved window at start-up, and the window saved at the end of a run.
#include "boot/window_memory.h"

#include "config/config_file.h"
#include "config/config_store.h"
#include "tolm2/tolm2.h"

CommandLine withSavedWindow(CommandLine line, const SavedOptions& saved) {
    if (!line.explicitSize) {
        line.windowWidth = saved.windowWidth;
        line.windowHeight = saved.windowHeight;
    }
    if (!line.explicitMode) line.fullScreen = saved.fullScreen;
    line.keepAspect = line.keepAspect || saved.keepAspect;
    return line;
}

void rememberWindow(const CommandLine& line) {
    // The title writes the first file; without one the next start is still a first start.
    if (line.explicitSize || line.explicitMode || config_file::isMissing(CONFIG_FILE)) return;
    const int32_t width = Tolm_windowWidth();
    const int32_t height = Tolm_windowHeight();
    const bool fullScreen = Tolm_isFullScreen();
    config_store::update(CONFIG_FILE, [=](ConfigParser& onDisk) {
        const SavedOptions saved = optionsIn(onDisk, false);
        bool changed = false;
        if (width != saved.windowWidth || height != saved.windowHeight) {
            onDisk.setInt(WINDOW_WIDTH_KEY, width);
            onDisk.setInt(WINDOW_HEIGHT_KEY, height);
            changed = true;
        }
        if (fullScreen != saved.fullScreen) {
            onDisk.setInt(FULLSCREEN_KEY, fullScreen ? 1 : 0);
            changed = true;
        }
        return changed;
    });
}
