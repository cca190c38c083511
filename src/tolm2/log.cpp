// The run log: every logged byte reaches standard output and "run.log" before the call returns.
#include "tolm2/log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tolm2/error.h"
#include "tolm2/internal.h"

namespace {

std::string formatText(const char* fmt, va_list args) {
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, args);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), fmt, again);
    va_end(again);
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

// False once "run.log" could not be written: from then on the log goes to standard
// output only, until the next start-up tries the file again.
bool logFileUsable = true;
bool logSilent = false;

void giveUpLogFile(const char* reason) {
    logFileUsable = false;
    std::fprintf(stderr, "korvane: cannot write %s (%s); logging to standard output only\n",
                 LOG_FILE, reason);
}

// Opens, appends and closes, so that nothing logged is lost if the process dies next.
// A folder the player cannot write to costs the log file, never the run.
void appendToLog(const std::string& bytes) {
    if (!logFileUsable) return;
    std::FILE* file = std::fopen(LOG_FILE, "ab");
    if (file == nullptr) {
        giveUpLogFile(std::strerror(errno));
        return;
    }
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written != bytes.size() || !closed) {
        giveUpLogFile(std::strerror(written != bytes.size() ? writeError : errno));
    }
}

}  // namespace

void Tolm_log(const char* fmt, ...) {
    if (logSilent) return;
    va_list args;
    va_start(args, fmt);
    const std::string text = formatText(fmt, args);
    va_end(args);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    appendToLog(text);
}

void Tolm_logError(const std::exception& e) {
    if (logSilent) return;
    const std::string line = std::string(e.what()) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    appendToLog(line);
}

void Tolm_resetLog() {
    std::remove(LOG_FILE);
    logFileUsable = true;
}

bool Tolm_setLogSilent(bool silent) {
    const bool was = logSilent;
    logSilent = silent;
    return was;
}
