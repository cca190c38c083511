// The cost of a scene start with a long "scores.txt": 100,000 lines (about 5 MB) read,
// then one mode's top ten, rank, average and chart scores worked out, as the scores
// screen and the playing scene do once when they start.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "common/frame_run.h"
#include "config/mode_table.h"
#include "config/score_stats.h"
#include "config/scores_file.h"

namespace {

constexpr int LINES = 100000;
constexpr int RUNS = 30;

// This process's CPU time in milliseconds: unlike the wall clock, not stretched when other
// work shares the cores.
double cpuMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string bigScoresFile() {
    std::string text;
    for (int i = 0; i < LINES; ++i) {
        const ScoreLine game{"2026-12-08T16:42:05+01:00", FIRST_MENU_MODE + i % LAST_MENU_MODE,
                             (i * 7919) % 200000, i % 31, i % 181, static_cast<GameEnding>(i % 3)};
        text += scores_file::formatLine(game);
    }
    return text;
}

// One scene start: the read and everything the screen then shows of LINE.
size_t readAndRank() {
    const ScoresRead read = scores_file::read(SCORES_FILE);
    const ModeScores line = scoresOfMode(read.games, MODE_LINE, 0);
    const size_t shown = topTen(line).size() + rankOf(line, 100000) +
                         lastScores(line.games, 50).size();
    return shown + static_cast<size_t>(averageOfLast(line.games, TOP_TEN) > 0);
}

}  // namespace

int main() {
    try {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("scores_bench." + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        const std::string text = bigScoresFile();
        std::FILE* file = std::fopen(SCORES_FILE, "wb");
        if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size()) return 1;
        std::fclose(file);
        std::vector<double> times;
        std::vector<double> cpuTimes;
        size_t sink = 0;
        for (int run = 0; run < RUNS; ++run) {
            const double cpuStart = cpuMilliseconds();
            const BenchClock::time_point start = BenchClock::now();
            sink += readAndRank();
            times.push_back(millisecondsBetween(start, BenchClock::now()));
            cpuTimes.push_back(cpuMilliseconds() - cpuStart);
        }
        const Spread spread = spreadOf(times);
        const Spread cpu = spreadOf(cpuTimes);
        std::printf("scores_bench: %d lines, %.1f MB, %d runs (check %zu)\n", LINES,
                    static_cast<double>(text.size()) / 1e6, RUNS, sink);
        std::printf("read and rank: %.2f ms mean, %.2f ms p99, %.2f ms max (goal: at most 30 ms)\n",
                    spread.mean, spread.p99, spread.max);
        std::printf("read and rank, CPU time: %.2f ms mean, %.2f ms p99\n", cpu.mean, cpu.p99);
        printSummary("scores.txt of 100,000 lines read and ranked, mean",
                     formatFigure("%.2f ms", spread.mean), "at most 30 ms");
        printSummary("the same, CPU time", formatFigure("%.2f ms", cpu.mean), "measured in the same run");
        std::filesystem::current_path("/");
        std::filesystem::remove_all(dir);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scores_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
