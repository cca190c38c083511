// The outcome of a watched game: what its replay reached against what its file recorded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WatchVerdict {
    int32_t mode = 0;
    int32_t recorded = 0;  // the score the file claims
    int32_t replayed = 0;  // the score the replay reached
    // Empty when every digest and the score agreed. Otherwise the clock (frames left) at
    // the first second whose state differed, or at the end when only the score did.
    std::optional<int32_t> mismatchAt;
    // The replay's own digest of each second it played, to go with the score in a record.
    std::vector<uint32_t> digests;

    bool verified() const { return !mismatchAt.has_value(); }
};

// The clock as the game shows it, minutes and seconds: "mm:ss".
std::string clockText(int32_t frames);
// "MISMATCH at <mm:ss> recorded <r> replayed <s>": a verdict that failed, as the log and
// korvane-verify word it. Called only for a verdict that is not verified.
std::string mismatchText(const WatchVerdict& verdict);
