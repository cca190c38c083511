// Whole-file reads, replacement through a unique temporary file, and the lock file beside a file.
#include "tolm2/safe_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "tolm2/error.h"
#include "tolm2/file_descriptor.h"
#include "tolm2/platform/platform.h"

namespace safe_file {
namespace {

constexpr int MAX_LINK_HOPS = 40;  // as the kernel's own limit for path lookup

namespace fs = std::filesystem;

TolmError writeError(const std::string& name) {
    return TolmError::format("Cannot write file '%s'", name.c_str());
}

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

std::string folderOf(const std::string& name) {
    const fs::path folder = fs::path(name).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// umask can only be read by setting it; done once, before any thread could race it.
mode_t currentUmask() {
    static const mode_t mask = [] {
        const mode_t old = ::umask(022);
        ::umask(old);
        return old;
    }();
    return mask;
}

// Writes, syncs and closes the temporary file; false on the first failure.
bool fillTemporary(int fd, const std::string& target, const std::string& bytes) {
    FileDescriptor file(fd);
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)
                            ? (old.st_mode & 07777)
                            : static_cast<mode_t>(0666 & ~currentUmask());
    if (::fchmod(file.get(), mode) != 0) return false;
    if (!writeAll(file.get(), bytes)) return false;
    if (::fsync(file.get()) != 0) return false;
    return file.close();
}

}  // namespace

WholeFile readWhole(const std::string& name, size_t limit) {
    WholeFile file;
    FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        file.error = fd.get() < 0 || !S_ISDIR(info.st_mode) ? errno : EISDIR;
        file.notOpened = true;
        return file;
    }
    // Sized up front: a scores file of 100,000 lines is read in one go.
    file.bytes.reserve(std::min(static_cast<size_t>(std::max<off_t>(info.st_size, 0)), limit));
    char chunk[65536];
    while (file.bytes.size() <= limit) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            file.error = errno;
            break;
        }
        if (n == 0) break;
        file.bytes.append(chunk, static_cast<size_t>(n));
    }
    return file;
}

std::string saveTarget(const std::string& name) {
    fs::path path(name);
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path.string();
        const fs::path next = fs::read_symlink(path, error);
        if (error) throw writeError(name);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    throw writeError(name);
}

void replace(const std::string& name, const std::string& bytes,
             const std::string& createFailure) {
    if (name.empty()) throw writeError(name);
    const std::string target = saveTarget(name);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        throw writeError(name);  // never put a file in place of a folder or a device
    }
    const std::string folder = folderOf(target);
    std::string temporary = (fs::path(folder) / ("." + fs::path(target).filename().string() +
                                                  ".XXXXXX"))
                                .string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw createFailure.empty() ? writeError(name) : TolmError(createFailure);
    if (!fillTemporary(fd, target, bytes) || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw writeError(name);
    }
    syncFolder(folder);
    plat::playerFilesChanged();
}

Hold::Hold() { plat::holdPlayerFiles(); }

Hold::~Hold() {
    plat::playerFilesChanged();
    plat::releasePlayerFiles();
}

Lock::Lock(const std::string& name) {
    takeFlock(name);
    hold_ = std::make_unique<Hold>();
}

void Lock::takeFlock(const std::string& name) {
    std::string target;
    try {
        target = saveTarget(name);
    } catch (const TolmError&) {
        return;
    }
    fd_ = ::open((target + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        ::close(fd_);
        fd_ = -1;
        return;
    }
}

Lock::~Lock() {
    hold_.reset();
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the flock
}

}  // namespace safe_file
