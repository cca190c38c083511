// korvane-verify FILE...: the rules alone check each watch file; nothing is written.
#include <iostream>
#include <string>
#include <vector>

#include "tolm2/log.h"
#include "verify/verify_command.h"

int main(int argc, char** argv) {
    // The command speaks for itself: the game's own log lines would only add a run.log.
    Tolm_setLogSilent(true);
    return runVerify(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
