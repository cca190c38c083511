// "scores.txt": the line format both ways, the appending write and the tolerant read.
#include "config/scores_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

#include "config/config_file.h"
#include "config/game_limits.h"
#include "config/mode_table.h"
#include "tolm2/file_descriptor.h"
#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace scores_file {
namespace {

constexpr std::array<const char*, 3> ENDINGS = {"EMPTY", "TIME", "STUCK"};
constexpr size_t FIELDS = 6;
constexpr size_t TYPICAL_LINE_BYTES = 48;
// "2026-12-08T16:42:05+01:00": the places of its digits, and its separators.
constexpr std::array<size_t, 18> STAMP_DIGITS = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 23, 24};
constexpr std::array<std::pair<size_t, char>, 6> STAMP_MARKS = {
    {{4, '-'}, {7, '-'}, {10, 'T'}, {13, ':'}, {16, ':'}, {22, ':'}}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isStamp(std::string_view text) {
    if (text.size() != Stamp::STAMP_SIZE || (text[19] != '+' && text[19] != '-')) return false;
    for (const auto& [place, mark] : STAMP_MARKS) {
        if (text[place] != mark) return false;
    }
    return std::all_of(STAMP_DIGITS.begin(), STAMP_DIGITS.end(),
                       [text](size_t place) { return isDigit(text[place]); });
}

// A plain decimal number of lo..hi: digits only, no sign.
std::optional<int32_t> numberIn(std::string_view text, int64_t lo, int64_t hi) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi) return std::nullopt;
    return static_cast<int32_t>(value);
}

// The title modes' names, looked up once: this runs for every line of a long file.
std::optional<int32_t> modeNamed(std::string_view name) {
    static const std::array<std::string, LAST_MENU_MODE + 1> names = [] {
        std::array<std::string, LAST_MENU_MODE + 1> table;
        for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
            table.at(static_cast<size_t>(mode)) = modeName(mode);
        }
        return table;
    }();
    for (int32_t mode = FIRST_MENU_MODE; mode <= LAST_MENU_MODE; ++mode) {
        if (name == names[static_cast<size_t>(mode)]) return mode;
    }
    return std::nullopt;
}

std::optional<GameEnding> endingNamed(std::string_view word) {
    for (size_t i = 0; i < ENDINGS.size(); ++i) {
        if (word == ENDINGS.at(i)) return static_cast<GameEnding>(i);
    }
    return std::nullopt;
}

// Exactly FIELDS non-empty fields, each separated by one space.
bool splitFields(std::string_view line, std::array<std::string_view, FIELDS>& fields) {
    size_t start = 0;
    for (size_t i = 0; i < FIELDS; ++i) {
        const size_t space = i + 1 < FIELDS ? line.find(' ', start) : line.size();
        if (space == std::string_view::npos || space == start) return false;
        fields[i] = line.substr(start, space - start);
        start = space + 1;
    }
    return fields.back().find(' ') == std::string_view::npos;
}

TolmError writeError(const std::string& name, int error) {
    return TolmError::format("Cannot write file '%s': %s", name.c_str(), std::strerror(error));
}

// Whether the open file is empty or ends with a line break.
bool endsWithLineBreak(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size == 0) return true;
    char last = '\n';
    return ::pread(fd, &last, 1, info.st_size - 1) != 1 || last == '\n';
}

}  // namespace

std::string localStamp(std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char text[40];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string stamp(text, length);
    stamp.insert(stamp.size() - 2, ":");  // "+0100" becomes "+01:00"
    return stamp;
}

std::string formatLine(const ScoreLine& game) {
    const auto ending = static_cast<size_t>(game.ending);
    return std::string(game.stamp.view()) + " " + modeName(game.mode) + " " + std::to_string(game.score) + " " +
           std::to_string(game.pairs) + " " + std::to_string(game.secondsLeft) + " " +
           (ending < ENDINGS.size() ? ENDINGS.at(ending) : "?") + "\n";
}

std::optional<ScoreLine> parseLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::array<std::string_view, FIELDS> fields;
    if (!splitFields(line, fields) || !isStamp(fields[0])) return std::nullopt;
    const std::optional<int32_t> mode = modeNamed(fields[1]);
    const std::optional<int32_t> score =
        numberIn(fields[2], 0, std::numeric_limits<int32_t>::max());
    const std::optional<int32_t> pairs = numberIn(fields[3], 0, BOARD_PAIRS);
    const std::optional<int32_t> seconds = numberIn(fields[4], 0, GAME_SECONDS);
    const std::optional<GameEnding> ending = endingNamed(fields[5]);
    if (!mode || !score || !pairs || !seconds || !ending) return std::nullopt;
    return ScoreLine{fields[0], *mode, *score, *pairs, *seconds, *ending};
}

void append(const std::string& name, const ScoreLine& game) {
    // Another copy of the game appending at the same moment waits, so both lines stay.
    const safe_file::Hold hold;
    // Read access only to look at the last byte; a write-only file is still appended to.
    const int flags = O_APPEND | O_CREAT | O_CLOEXEC;
    int fd = ::open(name.c_str(), O_RDWR | flags, 0644);
    if (fd < 0 && errno == EACCES) fd = ::open(name.c_str(), O_WRONLY | flags, 0644);
    FileDescriptor file(fd);
    if (file.get() < 0) throw writeError(name, errno);
    std::string bytes = formatLine(game);
    if (!endsWithLineBreak(file.get())) bytes.insert(0, "\n");
    const ssize_t written = ::write(file.get(), bytes.data(), bytes.size());
    if (written < 0) throw writeError(name, errno);
    if (static_cast<size_t>(written) != bytes.size()) throw writeError(name, ENOSPC);
    if (::fsync(file.get()) != 0) throw writeError(name, errno);
    if (!file.close()) throw writeError(name, errno);
}

ScoresRead read(const std::string& name) {
    ScoresRead result;
    if (config_file::isMissing(name)) return result;
    const std::string bytes = config_file::readAll(name);
    const std::string_view all(bytes);
    result.games.reserve(bytes.size() / TYPICAL_LINE_BYTES);
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        if (std::optional<ScoreLine> game = parseLine(all.substr(start, end - start))) {
            result.games.push_back(std::move(*game));
        } else {
            ++result.skipped;
        }
        start = end + 1;
    }
    if (result.skipped > 0) Tolm_log("%s: %zu lines skipped\n", name.c_str(), result.skipped);
    return result;
}

}  // namespace scores_file
