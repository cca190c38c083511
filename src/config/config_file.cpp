// File access of the configuration parser: whole-file read, atomic replace, access time.
#include "config/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "tolm2/tolm2.h"

namespace config_file {
namespace {

TolmError openError(const std::string& name) {
    return TolmError::format("Cannot open file '%s'", name.c_str());
}

TolmError writeError(const std::string& name) {
    return TolmError::format("Cannot write file '%s'", name.c_str());
}

// Closes the descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void syncFolderOf(const std::string& name) {
    std::filesystem::path folder = std::filesystem::path(name).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes, syncs and closes the temporary file; false on the first failure.
bool writeTemporary(const std::string& name, const std::string& temporary,
                    const std::string& bytes) {
    FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.get() < 0) return false;
    struct stat old {};
    if (::stat(name.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);  // keep the old file's permissions
    }
    if (!writeAll(file.get(), bytes)) return false;
    if (::fsync(file.get()) != 0) return false;
    return file.close();
}

}  // namespace

std::string readAll(const std::string& name) {
    FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        throw openError(name);
    }
    std::string bytes;
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw TolmError::format("Cannot read file '%s'", name.c_str());
        if (n == 0) break;
        bytes.append(chunk, static_cast<size_t>(n));
    }
    return bytes;
}

void replaceAtomically(const std::string& name, const std::string& bytes) {
    if (name.empty()) throw writeError(name);
    const std::string temporary = name + ".tmp";
    struct stat existing {};
    if (::lstat(temporary.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        throw writeError(name);  // never clobber or remove something that is not ours
    }
    if (!writeTemporary(name, temporary, bytes) ||
        ::rename(temporary.c_str(), name.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw writeError(name);
    }
    syncFolderOf(name);
}

int64_t accessStamp(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) throw openError(name);
    return static_cast<int64_t>(info.st_atim.tv_sec) * 1000000000 + info.st_atim.tv_nsec;
}

}  // namespace config_file
