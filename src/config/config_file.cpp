// File access of the configuration parser: whole-file read, atomic replace, access time.
#include "config/config_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace config_file {
namespace {

TolmError openError(const std::string& name, int error) {
    return TolmError::format("Cannot open file '%s': %s", name.c_str(), std::strerror(error));
}

}  // namespace

bool isMissing(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) != 0 && errno == ENOENT;
}

std::string readAll(const std::string& name) {
    safe_file::WholeFile file = safe_file::readWhole(name);
    if (file.notOpened) throw openError(name, file.error);
    if (file.error != 0) {
        throw TolmError::format("Cannot read file '%s': %s", name.c_str(),
                                std::strerror(file.error));
    }
    return std::move(file.bytes);
}

void replaceAtomically(const std::string& name, const std::string& bytes) {
    safe_file::replace(name, bytes);
}

int64_t accessStamp(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) throw openError(name, errno);
    return static_cast<int64_t>(info.st_atim.tv_sec) * 1000000000 + info.st_atim.tv_nsec;
}

}  // namespace config_file
