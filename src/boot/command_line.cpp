// Parsing of the command line into a window size, a full-screen choice and the picture's shape.
#include "boot/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

// An argument as it may appear inside the one-line message: control and non-ASCII bytes
// escaped, long texts cut, so a hostile argument cannot break or flood the line.
std::string quoted(const std::string& arg) {
    constexpr size_t MAX_SHOWN = 32;
    std::string shown = "'";
    for (size_t i = 0; i < arg.size() && i < MAX_SHOWN; ++i) {
        const unsigned char c = static_cast<unsigned char>(arg[i]);
        if (c >= 0x20 && c < 0x7F) {
            shown.push_back(static_cast<char>(c));
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            shown += escaped;
        }
    }
    if (arg.size() > MAX_SHOWN) shown += "...";
    return shown + "'";
}

}  // namespace

int32_t parseLeadingInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::strchr("\t\n\v\f\r ", text[i]) != nullptr) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-window") line.fullScreen = false;
        if (arg == "-fullscreen") line.fullScreen = true;
        if (arg == "-window" || arg == "-fullscreen") line.explicitMode = true;
        if (arg == "-keep-aspect") line.keepAspect = true;
        if (arg == "-watch") {
            if (i + 1 >= args.size()) {
                line.error = "korvane: -watch needs a file; " + std::string(USAGE);
                return line;
            }
            line.watchFile = args[++i];
            continue;
        }
        if (arg != "-res") continue;
        if (i + 2 >= args.size()) {
            line.error = "korvane: -res needs a width and a height; " + std::string(USAGE);
            return line;
        }
        line.windowWidth = parseLeadingInt(args[i + 1]);
        line.windowHeight = parseLeadingInt(args[i + 2]);
        if (line.windowWidth < 1 || line.windowHeight < 1) {
            line.error = "korvane: -res size must be at least 1 x 1, got " + quoted(args[i + 1]) +
                         " " + quoted(args[i + 2]) + "; " + USAGE;
            return line;
        }
        line.explicitSize = true;
        i += 2;
    }
    return line;
}
