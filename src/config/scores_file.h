// "scores.txt": one line per finished game, appended and never rewritten.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* SCORES_FILE = "scores.txt";

// How a game ended by a rule; a game quit with Escape has no line.
enum class GameEnding : int32_t { EMPTY, TIME, STUCK };

// Local time with its offset, "2026-12-08T16:42:05+01:00", kept inline so that reading a
// long file needs no allocation per line; longer texts are cut to STAMP_SIZE bytes.
class Stamp {
public:
    static constexpr size_t STAMP_SIZE = 25;
    Stamp() = default;
    Stamp(std::string_view text) : size_(std::min(text.size(), STAMP_SIZE)) {
        text.copy(text_.data(), size_);
    }
    Stamp(const std::string& text) : Stamp(std::string_view(text)) {}
    Stamp(const char* text) : Stamp(std::string_view(text)) {}
    std::string_view view() const { return {text_.data(), size_}; }
    bool empty() const { return size_ == 0; }

private:
    std::array<char, STAMP_SIZE> text_{};
    size_t size_ = 0;
};

// One finished game; stamp is empty only for the undated best from "config.ini".
struct ScoreLine {
    Stamp stamp;
    int32_t mode = 0;
    int32_t score = 0;
    int32_t pairs = 0;
    int32_t secondsLeft = 0;
    GameEnding ending = GameEnding::EMPTY;

    // "YYYY-MM-DD", or "" for the undated best.
    std::string date() const { return std::string(stamp.view().substr(0, 10)); }
};

// Everything one read of the file found: the well-formed lines in file order (oldest
// first) and how many lines were skipped.
struct ScoresRead {
    std::vector<ScoreLine> games;
    size_t skipped = 0;
};

namespace scores_file {

// when as local time with its offset: "2026-12-08T16:42:05+01:00".
std::string localStamp(std::time_t when);

// The line of a game, ending in "\n": "<stamp> <MODE> <score> <pairs> <seconds> <ENDING>".
// Throws TolmError (from the mode table) for a mode outside 0..6.
std::string formatLine(const ScoreLine& game);

// A line without its line break (a trailing "\r" is allowed); nullopt for anything but
// six well-formed fields: a stamp, a title mode's name, a score of 0..2^31-1, 0..BOARD_PAIRS
// pairs, 0..GAME_SECONDS seconds and an ending word.
std::optional<ScoreLine> parseLine(std::string_view line);

// The playing scene at the end of a game: adds the game's line to name with one write on
// a file opened with O_APPEND, then fsync, so that two copies finishing at once both keep
// their line and earlier lines are never touched. A last line left without its line
// break gets one first, so the new line stays whole. Throws TolmError
// "Cannot write file '<name>': <reason>" on any failure.
void append(const std::string& name, const ScoreLine& game);

// The scores scene and the playing scene when they start: every well-formed line of
// name. A missing file is an empty result; skipped lines are logged once per read as
// "scores.txt: N lines skipped". Throws TolmError "Cannot open file '<name>': <reason>"
// or "Cannot read file '<name>': <reason>" when the file exists but cannot be read.
ScoresRead read(const std::string& name);

}  // namespace scores_file
