// The frame cycle with a stopwatch around it, and the tables a benchmark prints.
#include "common/frame_run.h"

#include <cxxabi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <typeinfo>

#include "state/scene_loop.h"
#include "tolm2/game_state.h"
#include "tolm2/tolm2.h"

namespace {

inline constexpr int METER_SAMPLE_FRAMES = 60;

std::string sceneName() {
    const GameState* scene = currentScene();
    if (scene == nullptr) return "none";
    const char* mangled = typeid(*scene).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

void printRow(const std::string& label, const Spread& period, const Spread& work) {
    std::printf("%-12s %7zu %9.2f %8.2f %8.2f %9.2f %8.2f %8.2f\n", label.c_str(), work.count,
                period.mean, period.p99, period.max, work.mean, work.p99, work.max);
}

}  // namespace

double millisecondsBetween(BenchClock::time_point from, BenchClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

std::vector<FrameRecord> runFrames(int count) {
    std::vector<FrameRecord> frames;
    frames.reserve(static_cast<size_t>(std::max(count, 0)));
    BenchClock::time_point lastWaitEnd{};
    for (int i = 0; i < count; ++i) {
        FrameRecord frame;
        const BenchClock::time_point workStart = BenchClock::now();
        const bool running = execLoop();
        frame.scene = sceneName();
        Tolm_flip();
        frame.shownAt = BenchClock::now();
        frame.workMs = millisecondsBetween(workStart, frame.shownAt);
        Tolm_wait(FRAME_PERIOD);
        const BenchClock::time_point waitEnd = BenchClock::now();
        if (i > 0) frame.periodMs = millisecondsBetween(lastWaitEnd, waitEnd);
        lastWaitEnd = waitEnd;
        frame.fps = Tolm_getFps();
        frame.cpu = Tolm_getCpu();
        frames.push_back(frame);
        if (!running) break;
    }
    return frames;
}

Spread spreadOf(std::vector<double> values) {
    Spread spread;
    spread.count = values.size();
    if (values.empty()) return spread;
    std::sort(values.begin(), values.end());
    spread.mean =
        std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    const double rank = std::ceil(0.99 * static_cast<double>(values.size()));
    spread.p99 = values.at(static_cast<size_t>(std::max(rank, 1.0)) - 1);
    spread.max = values.back();
    return spread;
}

void printFrameTable(const std::vector<FrameRecord>& frames) {
    std::vector<std::string> scenes;
    for (const FrameRecord& frame : frames) {
        if (std::find(scenes.begin(), scenes.end(), frame.scene) == scenes.end()) {
            scenes.push_back(frame.scene);
        }
    }
    std::printf("%-12s %7s %9s %8s %8s %9s %8s %8s\n", "scene", "frames", "period", "p99", "max",
                "work", "p99", "max");
    std::printf("%-12s %7s %9s %8s %8s %9s %8s %8s\n", "", "", "mean ms", "ms", "ms", "mean ms",
                "ms", "ms");
    auto rowFor = [&frames](const std::string& label, bool all) {
        std::vector<double> periods;
        std::vector<double> works;
        for (size_t i = 0; i < frames.size(); ++i) {
            if (!all && frames[i].scene != label) continue;
            works.push_back(frames[i].workMs);
            if (i > 0) periods.push_back(frames[i].periodMs);
        }
        printRow(label, spreadOf(periods), spreadOf(works));
    };
    for (const std::string& scene : scenes) rowFor(scene, false);
    rowFor("all", true);
}

void printMeters(const std::vector<FrameRecord>& frames) {
    std::printf("meters every %d frames (FPS / CPU %%):", METER_SAMPLE_FRAMES);
    for (size_t i = METER_SAMPLE_FRAMES - 1; i < frames.size(); i += METER_SAMPLE_FRAMES) {
        std::printf(" %d/%d", frames[i].fps, frames[i].cpu);
    }
    std::printf("\n");
}

void printSummary(const char* figure, const std::string& value, const char* goal) {
    std::printf("summary|%s|%s|%s\n", figure, value.c_str(), goal);
}

std::string formatFigure(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
