// The words of a watched game's verdict.
#include "gamecore/watch_verdict.h"

#include <cstdio>

std::string clockText(int32_t frames) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", frames / 3600, (frames / 60) % 60);
    return text;
}

std::string mismatchText(const WatchVerdict& verdict) {
    return "MISMATCH at " + clockText(verdict.mismatchAt.value_or(0)) + " recorded " +
           std::to_string(verdict.recorded) + " replayed " + std::to_string(verdict.replayed);
}
