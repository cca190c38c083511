// Fuzzes the command line: arbitrary bytes split at NUL into arguments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "boot/command_line.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "command line fuzzer: %s\n", what);
    std::abort();
}

std::vector<std::string> splitArguments(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"korvane"};
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    args.push_back(current);
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CommandLine line = parseCommandLine(splitArguments(data, size));
    if (line.error.empty()) {
        // A usable line always opens a window of at least one pixel.
        if (line.windowWidth < 1 || line.windowHeight < 1) fail("accepted a size below 1");
    } else {
        if (line.error.find("usage:") == std::string::npos) fail("error without the usage");
        if (line.error.find('\n') != std::string::npos) fail("error of more than one line");
    }
    return 0;
}
