// How fast korvane-verify checks a whole three-minute game: a LINE and a MIXER game of
// seeded clicks, read from their file bytes and played again by the rules alone, on the
// headless platform the command links.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

#include "common/frame_run.h"
#include "gamecore/game_main.h"
#include "gamecore/watch_verify.h"
#include "keypad/watch_file.h"

namespace {

constexpr int CHECKS = 20;
constexpr int CLICK_EVERY = 90;  // frames; sparse enough that the board outlasts the clock
constexpr double PLAYED_MS = GAME_FRAMES * 1000.0 / 60.0;

// A whole game's pointer: one left click on the board every CLICK_EVERY frames, at seeded
// places; its score and digests are the ones the rules reach, learnt by a first check.
WatchRecord seededGame(int32_t mode, uint32_t seed) {
    std::mt19937 places(seed);
    WatchRecord record;
    record.mode = mode;
    record.seed = seed;
    for (int32_t frame = 0; frame < GAME_FRAMES; ++frame) {
        PointerFrame pointer{static_cast<int16_t>(50 + places() % 330),
                             static_cast<int16_t>(50 + places() % 330), 0, 0};
        if (frame % CLICK_EVERY == CLICK_EVERY - 1) {
            pointer.buttons = POINTER_LEFT_HELD | POINTER_LEFT_PUSHED;
        }
        record.frames.push_back(pointer);
    }
    const WatchVerdict first = verifyWatch(WatchedGame{"bench", record});
    record.score = first.replayed;
    record.digests = first.digests;
    return record;
}

double cpuMilliseconds() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

struct CheckTime {
    double fastest = 0;  // ms; other programs sharing the processor only ever add time
    double cpu = 0;      // ms of processor time, mean: the steadier figure on a busy machine
    bool verified = true;
};

// The time of a check of the game's file bytes, decoding included, over CHECKS checks.
CheckTime checkTime(const WatchRecord& record) {
    const std::string bytes = encodeWatch(record);
    CheckTime time;
    const double cpuStart = cpuMilliseconds();
    for (int i = 0; i < CHECKS; ++i) {
        const BenchClock::time_point start = BenchClock::now();
        const WatchVerdict verdict = verifyWatch(WatchedGame{"bench", decodeWatch(bytes)});
        const double ms = millisecondsBetween(start, BenchClock::now());
        time.verified = verdict.verified() && time.verified;
        time.fastest = i == 0 ? ms : std::min(time.fastest, ms);
    }
    time.cpu = (cpuMilliseconds() - cpuStart) / CHECKS;
    return time;
}

}  // namespace

int main() {
    const struct {
        const char* name;
        int32_t mode;
        const char* figure;
    } games[] = {{"LINE", MODE_LINE, "korvane-verify, one whole LINE game"},
                 {"MIXER", MODE_MIXER, "korvane-verify, one whole MIXER game"}};
    int status = 0;
    for (const auto& game : games) {
        const WatchRecord record = seededGame(game.mode, 20260309);
        const CheckTime time = checkTime(record);
        std::printf("%s: %d frames, score %d, %s; %.2f ms a check (fastest), %.2f ms of CPU "
                    "(mean), %.0f times faster than played\n",
                    game.name, GAME_FRAMES, record.score,
                    time.verified ? "VERIFIED" : "NOT VERIFIED", time.fastest, time.cpu,
                    PLAYED_MS / time.fastest);
        printSummary(game.figure,
                     formatFigure("%.1f ms", time.fastest) +
                         formatFigure(" (%.1f ms of CPU, ", time.cpu) +
                         formatFigure("%.0fx)", PLAYED_MS / time.fastest),
                     "<= 50 ms (3600x)");
        if (!time.verified) status = 1;
    }
    return status;
}
