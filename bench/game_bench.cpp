// The playing scene's cost per frame: a busy MIXER board against a bare clear-and-swap
// frame on the real SDL/OpenGL platform, the logic step alone, and the peak memory.
// Run under X from the repository root (bench.sh).
#include <sys/resource.h>

#include <cstdio>
#include <exception>
#include <vector>

#include "common/frame_run.h"
#include "common/mixer_play.h"
#include "gamecore/game_main.h"
#include "tolm2/game_state.h"
#include "tolm2/tolm2.h"

namespace {

inline constexpr int MEASURED_FRAMES = 290;
inline constexpr int LOGIC_STEPS = 5000;

struct FrameworkShutdown {
    ~FrameworkShutdown() { Tolm_quit(); }
};

double msSince(BenchClock::time_point from) { return millisecondsBetween(from, BenchClock::now()); }

// Work of frames that only clear the screen and swap, paced like the game's frames.
Spread bareFrames(int count) {
    std::vector<double> work;
    for (int i = 0; i < count; ++i) {
        const BenchClock::time_point start = BenchClock::now();
        Tolm_clear();
        Tolm_flip();
        work.push_back(msSince(start));
        Tolm_wait(FRAME_PERIOD);
    }
    return spreadOf(work);
}

struct BusyResult {
    Spread frame;  // step, draw and swap
    Spread step;   // the step alone, in the same frames
};

BusyResult busyFrames(int count) {
    Tolm_setValue(MODE_SLOT, MIXER);
    GameMain game;
    playUntilPlaying(game);
    std::vector<double> work, steps;
    int32_t nextTake = 0;
    for (int i = 0; i < count; ++i) {
        takeOnSchedule(game, i, nextTake);
        const BenchClock::time_point start = BenchClock::now();
        game.step();
        steps.push_back(msSince(start) * 1000.0);
        game.draw();
        Tolm_flip();
        work.push_back(msSince(start));
        returnTakenCards(game);
        Tolm_wait(FRAME_PERIOD);
    }
    return {spreadOf(work), spreadOf(steps)};
}

// The logic of a MIXER game step after step, with nothing drawn and no waiting.
double logicStepMicroseconds(int count) {
    Tolm_setValue(MODE_SLOT, MIXER);
    GameMain game;
    while (game.getScene() != GameMain::PLAYING) game.step();
    const BenchClock::time_point start = BenchClock::now();
    for (int i = 0; i < count && game.getScene() == GameMain::PLAYING; ++i) game.step();
    return msSince(start) * 1000.0 / count;
}

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main() {
    FrameworkShutdown shutdown;
    try {
        Tolm_init("KORVANE", 640, 480, false, false);
        Tolm_log("game_bench\n");
        const Spread bare = bareFrames(MEASURED_FRAMES);
        const BusyResult busy = busyFrames(MEASURED_FRAMES);
        const double logic = logicStepMicroseconds(LOGIC_STEPS);

        std::printf("game_bench: 640 x 480, %d frames each, FRAME_PERIOD %d ms\n",
                    MEASURED_FRAMES, FRAME_PERIOD);
        std::printf("%-34s %9s %8s %8s\n", "per-frame work (ms)", "mean", "p99", "max");
        std::printf("%-34s %9.3f %8.3f %8.3f\n", "bare frame (clear, swap)", bare.mean, bare.p99,
                    bare.max);
        std::printf("%-34s %9.3f %8.3f %8.3f\n", "busy MIXER frame (step, draw, swap)", busy.frame.mean,
                    busy.frame.p99, busy.frame.max);
        std::printf("busy / bare ratio of means: %.2f (goal: at most 2.0)\n",
                    busy.frame.mean / bare.mean);
        std::printf("step inside the busy frames: %.2f us mean, %.2f us p99\n", busy.step.mean,
                    busy.step.p99);
        std::printf("logic step alone, %d MIXER steps: %.2f us (goal: under 20 us)\n", LOGIC_STEPS,
                    logic);
        std::printf("peak resident memory: %.1f MiB (goal: under 100 MiB)\n", peakResidentMiB());
        printSummary("busy frame / bare frame",
                     formatFigure("%.3f", busy.frame.mean) + " / " + formatFigure("%.3f ms", bare.mean) +
                         " = " + formatFigure("%.2f", busy.frame.mean / bare.mean),
                     "ratio at most 2.0");
        printSummary("logic step alone", formatFigure("%.2f us", logic), "under 20 us");
        printSummary("peak resident memory, playing scene", formatFigure("%.1f MiB", peakResidentMiB()),
                     "under 100 MiB");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "game_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
