// The CPU time of a busy MIXER frame in a full-HD window against a 640 x 480 one, measured
// one size after the other in one run on the real SDL/OpenGL platform. Run under X from
// the repository root (bench.sh).
#include <time.h>

#include <cstdio>
#include <exception>
#include <vector>

#include "common/frame_run.h"
#include "common/mixer_play.h"
#include "gamecore/game_main.h"
#include "tolm2/tolm2.h"

namespace {

inline constexpr int MEASURED_FRAMES = 290;

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

}  // namespace

int main() {
    try {
        const SizeResult small = busyFramesAt(640, 480);
        const SizeResult large = busyFramesAt(1920, 1080);
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
        std::printf("1920 x 1080 / 640 x 480 CPU ratio: %.2f (goal: at most 1.3)\n", ratio);
        printSummary("MIXER frame CPU, 640 x 480", formatFigure("%.3f ms", small.cpu.mean),
                     "measured in the same run");
        printSummary("MIXER frame CPU, 1920 x 1080", formatFigure("%.3f ms", large.cpu.mean),
                     "measured in the same run");
        printSummary("MIXER frame CPU, 1920 x 1080 / 640 x 480", formatFigure("%.2f", ratio),
                     "at most 1.3");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scale_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
