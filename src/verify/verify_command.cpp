// korvane-verify's arguments, one verdict line per watch file, and its exit status.
#include "verify/verify_command.h"

#include "config/mode_table.h"
#include "gamecore/watch_verify.h"
#include "tolm2/error.h"

namespace {

constexpr const char* USAGE = "usage: korvane-verify FILE...";

// "LINE", "MIXER" ...; the mode without a title row is PLAIN.
std::string modeWord(int32_t mode) {
    const std::string& name = modeName(mode);
    return name.empty() ? "PLAIN" : name;
}

// The verdict on one file, after "<file>: "; true when it verified.
bool judge(const std::string& file, std::string& line) {
    try {
        const WatchVerdict verdict = verifyWatch(WatchedGame{file, readWatchFile(file)});
        line = verdict.verified()
                   ? "VERIFIED " + modeWord(verdict.mode) + " " + std::to_string(verdict.replayed)
                   : mismatchText(verdict);
        return verdict.verified();
    } catch (const TolmError& e) {
        line = e.what();
        return false;
    }
}

}  // namespace

int runVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "-h" || arg == "--help")) {
            out << USAGE << "\n";
            return VERIFY_ALL_VERIFIED;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            err << "korvane-verify: unknown option " << arg << "\n" << USAGE << "\n";
            return VERIFY_USAGE;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        err << USAGE << "\n";
        return VERIFY_USAGE;
    }
    bool allVerified = true;
    for (const std::string& file : files) {
        std::string line;
        allVerified = judge(file, line) && allVerified;
        out << file << ": " << line << "\n" << std::flush;
    }
    return allVerified ? VERIFY_ALL_VERIFIED : VERIFY_SOME_FAILED;
}
