// File access of the configuration parser: whole-file read, atomic replace, access time.
#pragma once

#include <cstdint>
#include <string>

namespace config_file {

// The whole file as bytes. Throws TolmError "Cannot open file '<name>'" when it cannot
// be opened (or is a directory) and "Cannot read file '<name>'" when reading fails.
std::string readAll(const std::string& name);

// Replaces name by bytes through "<name>.tmp" in the same folder and a rename, so that
// name holds either its old or its new contents whatever happens. Throws TolmError
// "Cannot write file '<name>'" on any failure, after removing the temporary file.
void replaceAtomically(const std::string& name, const std::string& bytes);

// Last-access time of name in nanoseconds since the epoch. Throws TolmError
// "Cannot open file '<name>'" when the file cannot be found.
int64_t accessStamp(const std::string& name);

}  // namespace config_file
