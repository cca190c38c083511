// The CPU time of a busy MIXER frame in a full-HD window against a 640 x 480 one, measured
// one size after the other in one run on the real SDL/OpenGL platform, and then the same
// on sdl12-compat in a copy of this program. Run under X from the repository root (bench.sh).
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "common/frame_run.h"
#include "common/mixer_play.h"
#include "gamecore/game_main.h"
#include "tolm2/tolm2.h"

namespace {

inline constexpr int MEASURED_FRAMES = 290;
inline constexpr const char* COMPAT_LIBRARY = "/usr/lib/x86_64-linux-gnu/sdl12-compat";
// The copy run on sdl12-compat prints its four figures on one line after this word (the
// game's own log lines come before it).
inline constexpr const char* FIGURES_OPTION = "--figures";

struct FrameworkShutdown {
    ~FrameworkShutdown() { Tolm_quit(); }
};

// CPU time of the whole process, so that the GL driver's own threads count too.
double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct SizeResult {
    Spread cpu;   // step, draw and flip
    Spread wall;  // the same span by the clock
    Spread bare;  // CPU of a frame that only clears and flips: what the size alone costs
};

Spread bareFrameCpu(int count) {
    std::vector<double> cpu;
    for (int i = 0; i < count; ++i) {
        const double start = processCpuMs();
        Tolm_clear();
        Tolm_flip();
        cpu.push_back(processCpuMs() - start);
        Tolm_wait(FRAME_PERIOD);
    }
    return spreadOf(cpu);
}

// A MIXER game in a window of the given size, its busy frames timed.
SizeResult busyFramesAt(int32_t width, int32_t height) {
    FrameworkShutdown shutdown;
    Tolm_init("KORVANE", width, height, false, false);
    const Spread bare = bareFrameCpu(MEASURED_FRAMES);
    Tolm_setValue(MODE_SLOT, MIXER);
    GameMain game;
    playUntilPlaying(game);
    std::vector<double> cpu, wall;
    int32_t nextTake = 0;
    for (int i = 0; i < MEASURED_FRAMES; ++i) {
        takeOnSchedule(game, i, nextTake);
        const double cpuStart = processCpuMs();
        const BenchClock::time_point start = BenchClock::now();
        game.step();
        game.draw();
        Tolm_flip();
        cpu.push_back(processCpuMs() - cpuStart);
        wall.push_back(millisecondsBetween(start, BenchClock::now()));
        returnTakenCards(game);
        Tolm_wait(FRAME_PERIOD);
    }
    return {spreadOf(cpu), spreadOf(wall), bare};
}

struct Figures {
    double small = 0, large = 0;          // MIXER frame CPU, ms
    double bareSmall = 0, bareLarge = 0;  // bare frame CPU, ms
};

// This program again on sdl12-compat, its figures read from its output; nothing when the
// library is not installed or the copy fails.
bool compatFigures(const char* self, Figures& out) {
    if (!std::filesystem::exists(COMPAT_LIBRARY)) return false;
    const std::string command = std::string("LD_LIBRARY_PATH=") + COMPAT_LIBRARY + " '" + self +
                                "' " + FIGURES_OPTION;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    int read = 0;
    char line[256];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const std::string prefix = std::string(FIGURES_OPTION) + " %lf %lf %lf %lf";
        if (read != 4) {
            read = std::sscanf(line, prefix.c_str(), &out.small, &out.large, &out.bareSmall,
                               &out.bareLarge);
        }
    }
    return pclose(pipe) == 0 && read == 4;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const SizeResult small = busyFramesAt(640, 480);
        const SizeResult large = busyFramesAt(1920, 1080);
        if (argc > 1 && std::string(argv[1]) == FIGURES_OPTION) {
            std::printf("%s %.4f %.4f %.4f %.4f\n", FIGURES_OPTION, small.cpu.mean, large.cpu.mean, small.bare.mean,
                        large.bare.mean);
            return 0;
        }
        std::printf("scale_bench: busy MIXER frames (step, draw, flip), %d per window size\n",
                    MEASURED_FRAMES);
        std::printf("%-12s %9s %8s %8s %9s %8s %10s\n", "window (ms)", "CPU mean", "p99", "max",
                    "wall mean", "p99", "bare CPU");
        const auto row = [](const char* label, const SizeResult& r) {
            std::printf("%-12s %9.3f %8.3f %8.3f %9.3f %8.3f %10.3f\n", label, r.cpu.mean,
                        r.cpu.p99, r.cpu.max, r.wall.mean, r.wall.p99, r.bare.mean);
        };
        row("640 x 480", small);
        row("1920 x 1080", large);
        const double ratio = large.cpu.mean / small.cpu.mean;
        // What the game adds over a bare window of the same size: the window's own pass is
        // the driver's cost, the same for any program at that size.
        const double overBare = (large.cpu.mean - large.bare.mean) / (small.cpu.mean - small.bare.mean);
        std::printf("1920 x 1080 / 640 x 480 CPU ratio: %.2f; over a bare window: %.2f\n", ratio,
                    overBare);
        printSummary("MIXER frame CPU, 640 x 480", formatFigure("%.3f ms", small.cpu.mean),
                     "measured in the same run");
        printSummary("MIXER frame CPU, 1920 x 1080", formatFigure("%.3f ms", large.cpu.mean),
                     "measured in the same run");
        printSummary("MIXER frame CPU, 1920 x 1080 / 640 x 480", formatFigure("%.2f", ratio),
                     "measured in the same run");
        printSummary("MIXER frame CPU over a bare frame of the same size, 1920 x 1080 / 640 x 480",
                     formatFigure("%.2f", overBare), "at most 1.3");
        Figures compat;
        if (compatFigures(argv[0], compat)) {
            std::printf("on sdl12-compat: MIXER frame CPU %.3f ms at 640 x 480, %.3f ms at 1920 x "
                        "1080; bare %.3f and %.3f ms\n",
                        compat.small, compat.large, compat.bareSmall, compat.bareLarge);
            printSummary("MIXER frame CPU on sdl12-compat, 640 x 480",
                         formatFigure("%.3f ms", compat.small), "measured in the same run");
            printSummary("MIXER frame CPU on sdl12-compat, 1920 x 1080",
                         formatFigure("%.3f ms", compat.large), "measured in the same run");
            printSummary("MIXER frame CPU, sdl12-compat / classic, 640 x 480",
                         formatFigure("%.2f", compat.small / small.cpu.mean), "at most 1.25");
            printSummary("MIXER frame CPU, sdl12-compat / classic, 1920 x 1080",
                         formatFigure("%.2f", compat.large / large.cpu.mean), "at most 1.25");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scale_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
