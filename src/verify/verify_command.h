// korvane-verify: checks watch files by playing each recorded game again with no window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

inline constexpr int VERIFY_ALL_VERIFIED = 0;
inline constexpr int VERIFY_SOME_FAILED = 1;
inline constexpr int VERIFY_USAGE = 2;

// Called by the command's main with its arguments (the program name left out). For each
// file, in order, one line on out:
//   "<file>: VERIFIED <MODE> <score>"
//   "<file>: MISMATCH at <mm:ss> recorded <score> replayed <score>"
//   "<file>: <fault>", the fault as the game words it when it cannot watch the file
//   ("truncated", "wrong CRC", "cannot be read (No such file or directory)" ...).
// Returns VERIFY_ALL_VERIFIED when every file verified, VERIFY_SOME_FAILED when any did
// not. With no file, or an unknown option, writes the usage line to err and returns
// VERIFY_USAGE; "-h" or "--help" writes it to out and returns VERIFY_ALL_VERIFIED. "--"
// ends the options. Writes no file.
int runVerify(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
