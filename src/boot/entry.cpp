// The frame loop between framework start-up and shutdown, with the program's one error handler.
#include "boot/entry.h"

#include <cstdio>

#include "boot/window_memory.h"
#include "state/scene_loop.h"
#include "state/watch_request.h"
#include "tolm2/tolm2.h"

namespace {

inline constexpr const char* CAPTION = "KORVANE";

// Shuts the framework down however the run is left.
struct FrameworkShutdown {
    ~FrameworkShutdown() { Tolm_quit(); }
};

void report(const std::exception& error) {
    try {
        Tolm_logError(error);
    } catch (const std::exception& logFailure) {
        // The log itself failed (a read-only folder, say): standard error is all that is left.
        std::fprintf(stderr, "%s\n%s\n", error.what(), logFailure.what());
    }
}

}  // namespace

int runGame(const CommandLine& given) {
    const CommandLine line = withSavedWindow(given, readSavedOptions(CONFIG_FILE, false));
    FrameworkShutdown shutdown;
    bool opened = false;
    try {
        Tolm_init(CAPTION, line.windowWidth, line.windowHeight, line.fullScreen, false,
                  line.keepAspect, !line.explicitSize);
        opened = true;
        loadResources();
        if (!line.watchFile.empty()) requestWatch(line.watchFile);
        bool running = true;
        while (running) {
            running = execLoop();
            Tolm_flip();
            Tolm_wait(FRAME_PERIOD);
        }
    } catch (const std::exception& error) {
        report(error);
    }
    if (!opened) return 0;
    try {
        rememberWindow(line);
    } catch (const std::exception& error) {
        report(error);
    }
    return 0;
}
