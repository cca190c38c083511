// File access of the configuration parser: whole-file read, atomic replace, access time.
#include "config/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tolm2/file_descriptor.h"
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
    FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) throw openError(name, errno);
    if (S_ISDIR(info.st_mode)) throw openError(name, EISDIR);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            throw TolmError::format("Cannot read file '%s': %s", name.c_str(), std::strerror(errno));
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    return bytes;
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
