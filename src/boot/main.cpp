// KORVANE's entry: read the command line, then run the game.
#include <cstdio>
#include <string>
#include <vector>

#include "boot/command_line.h"
#include "boot/entry.h"

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return 2;
    }
    return runGame(line);
}
