// Frame pacing of the logo and how-to-play scenes of a first start on the real SDL/OpenGL
// platform, and the time from start to the first frame shown. Run under X from the
// repository root (bench.sh).
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "common/frame_run.h"
#include "state/scene_loop.h"
#include "tolm2/tolm2.h"

namespace {

// 181 frames of logo, the rest on how to play.
inline constexpr int BENCH_FRAMES = 600;
inline constexpr int WINDOW_WIDTH = 640;
inline constexpr int WINDOW_HEIGHT = 480;

// Shuts the framework down however the run is left, as the entry does.
struct FrameworkShutdown {
    ~FrameworkShutdown() { Tolm_quit(); }
};

// A first start in a scratch folder with the repository's resource/: a config.ini left by
// an earlier run would send the loop to the title, which sleeps while nothing moves.
struct FirstStartFolder {
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path folder;

    FirstStartFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX");
        if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("no scratch folder");
        folder = name;
        std::filesystem::create_directory_symlink(home / "resource", folder / "resource");
        std::filesystem::current_path(folder);
    }
    ~FirstStartFolder() {
        std::error_code ignored;
        std::filesystem::current_path(home, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
};

}  // namespace

int main() {
    try {
        const FirstStartFolder firstStart;
        const BenchClock::time_point start = BenchClock::now();
        FrameworkShutdown shutdown;
        Tolm_init("KORVANE", WINDOW_WIDTH, WINDOW_HEIGHT, false, false);
        const BenchClock::time_point started = BenchClock::now();
        loadResources();
        const BenchClock::time_point loaded = BenchClock::now();
        const std::vector<FrameRecord> frames = runFrames(BENCH_FRAMES);
        if (frames.empty()) throw std::runtime_error("the scene loop ran no frame");

        std::printf("frame_bench: %zu frames, FRAME_PERIOD %d ms, %d x %d window\n", frames.size(),
                    FRAME_PERIOD, WINDOW_WIDTH, WINDOW_HEIGHT);
        std::printf(
            "start to first frame shown: %.1f ms (Tolm_init %.1f, loadResources %.1f, "
            "first frame %.1f)\n",
            millisecondsBetween(start, frames.front().shownAt), millisecondsBetween(start, started),
            millisecondsBetween(started, loaded),
            millisecondsBetween(loaded, frames.front().shownAt));
        printFrameTable(frames);
        printMeters(frames);
        std::printf("meters at the end: FPS %d, CPU %d%%\n", Tolm_getFps(), Tolm_getCpu());
        std::vector<double> periods;
        for (const FrameRecord& frame : frames) {
            if (frame.periodMs > 0) periods.push_back(frame.periodMs);
        }
        const Spread pacing = spreadOf(periods);
        printSummary("frame period, mean", formatFigure("%.2f ms", pacing.mean), "16.0 to 16.2 ms");
        printSummary("frame period, p99", formatFigure("%.2f ms", pacing.p99), "at most 17.5 ms");
        printSummary("meter FPS / CPU at the end",
                     std::to_string(Tolm_getFps()) + " / " + std::to_string(Tolm_getCpu()) + " %",
                     "62 or 63 FPS");
        printSummary("start-up to first frame",
                     formatFigure("%.0f ms", millisecondsBetween(start, frames.front().shownAt)),
                     "under 300 ms");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "frame_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
