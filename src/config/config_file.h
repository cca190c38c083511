// File access of the configuration parser: whole-file read, atomic replace, access time.
#pragma once

#include <cstdint>
#include <string>

namespace config_file {

// Whether name does not exist at all (a dangling link counts as missing): the one case
// in which defaults may be written. A file that exists but cannot be read is not missing.
bool isMissing(const std::string& name);

// The whole file as bytes. Throws TolmError "Cannot open file '<name>': <reason>" when it
// cannot be opened (or is a directory) and "Cannot read file '<name>': <reason>" when
// reading fails.
std::string readAll(const std::string& name);

// Replaces name (through its symbolic links) by bytes with a unique temporary file in the
// same folder and a rename, so that it holds either its old or its new contents whatever
// happens. Throws TolmError "Cannot write file '<name>'" on any failure, after removing
// the temporary file.
void replaceAtomically(const std::string& name, const std::string& bytes);

// Last-access time of name in nanoseconds since the epoch. Throws TolmError
// "Cannot open file '<name>': <reason>" when the file cannot be found.
int64_t accessStamp(const std::string& name);

}  // namespace config_file
