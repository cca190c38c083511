// The run log: formatted text to standard output and, byte for byte, to "run.log".
#pragma once

#include <exception>

inline constexpr const char* LOG_FILE = "run.log";

// Formats printf-style, writes the bytes to standard output and appends them at once
// to "run.log" (created if missing). Callers end their lines with "\n" themselves.
// When "run.log" cannot be appended to, one warning goes to standard error and the log
// goes on to standard output only; logging never throws.
void Tolm_log(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Writes an error's text and a line break to standard output and appends both to
// "run.log" in one write. Used by the entry's handler and by the replay loader.
void Tolm_logError(const std::exception& e);

// Called by a command that reports on its own (korvane-verify) before anything is logged,
// and by work that must leave no trace around itself: while silent, nothing logged
// reaches standard output or "run.log", and "run.log" is not created. Returns whether the
// log was silent before, for the caller to put back.
bool Tolm_setLogSilent(bool silent);
