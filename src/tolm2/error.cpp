// Formatting of error messages.
#include "tolm2/error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

TolmError TolmError::format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), fmt, again);
    va_end(again);
    return TolmError(std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0)));
}
