// Runs the game's own frame cycle for a benchmark and sums up how its frames were paced.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// One pass of the frame cycle as the benchmark saw it.
struct FrameRecord {
    std::string scene;    // class of the scene that ran, e.g. "LogoMain"
    double workMs = 0;    // execLoop and Tolm_flip
    double periodMs = 0;  // from the previous Tolm_wait return to this one; 0 for the first
    BenchClock::time_point shownAt;  // when Tolm_flip returned
    int32_t fps = 0;                 // the meters after this frame's Tolm_wait
    int32_t cpu = 0;
};

// Runs count passes of the entry's cycle (execLoop, Tolm_flip, Tolm_wait(FRAME_PERIOD)).
// Called after Tolm_init and loadResources. Stops early, with the frames so far, when
// execLoop returns false; errors of the loop (the quit request among them) pass through.
std::vector<FrameRecord> runFrames(int count);

struct Spread {
    size_t count = 0;
    double mean = 0;
    double p99 = 0;  // nearest rank
    double max = 0;
};
Spread spreadOf(std::vector<double> values);

// The table: one row per scene in the order the scenes first ran, then one for all
// frames. Frames without a period (the first) count only for the work columns.
void printFrameTable(const std::vector<FrameRecord>& frames);
// The meter figures every 60 frames, as Tolm_drawFps would have shown them.
void printMeters(const std::vector<FrameRecord>& frames);

double millisecondsBetween(BenchClock::time_point from, BenchClock::time_point to);

// One row of the summary table that bench.sh gathers from every benchmark's output:
// printed as "summary|<figure>|<value>|<goal>".
void printSummary(const char* figure, const std::string& value, const char* goal);
std::string formatFigure(const char* format, double value);
