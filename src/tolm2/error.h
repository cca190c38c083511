// The one error type of the program: every failure carries its exact message text.
#pragma once

#include <stdexcept>
#include <string>

class TolmError : public std::runtime_error {
public:
    explicit TolmError(const std::string& message) : std::runtime_error(message) {}

    // printf-style construction, for messages such as "Tolm_loadWAV: %s(%.*s)".
    static TolmError format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
};

// The message the frame wait raises when the player quits; the entry logs it last.
inline constexpr const char* QUIT_MESSAGE = "dTolm system quit.";
