// Whole-file reads, saves that replace a file whole or not at all, and the lock that keeps
// two copies apart.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>

namespace safe_file {

// What readWhole found: the bytes read so far and, when it stopped short, why.
struct WholeFile {
    std::string bytes;
    int error = 0;           // errno of the failure; 0 when the file was read to its end
    bool notOpened = false;  // the failure came from opening it (a folder counts, as EISDIR)
};

// Reads name from its start to its end, or until more than limit bytes are in, so that a
// caller can refuse a file that is too long without reading all of it. Callers: the
// config reader and the watch and replay loaders, each of which words its own failure
// message from the result. Never throws.
WholeFile readWhole(const std::string& name,
                    std::size_t limit = std::numeric_limits<std::size_t>::max());

// The file a save of name really replaces: name itself, or the end of its chain of
// symbolic links, so that a player's link stays a link. Throws TolmError
// "Cannot write file '<name>'" for a chain that loops or runs too long.
std::string saveTarget(const std::string& name);

// Replaces name (through its links) by bytes: a uniquely named temporary file in the
// target's folder, written, synced and renamed over the target, which keeps its
// permissions. Callers: every save of a record file. Throws TolmError
// "Cannot write file '<name>'" on any failure (createFailure instead, when given, if the
// temporary file cannot be made); the old file is then as it was and no temporary file
// is left.
void replace(const std::string& name, const std::string& bytes,
             const std::string& createFailure = "");

// The platform's hold on the player's files (plat::holdPlayerFiles), from construction to
// destruction, which also sees that what was written meanwhile reaches lasting storage.
// Callers: an append to a player file, around its write; and every Lock. Never throws.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
};

// An advisory lock (flock) on "<target>.lock" beside the file name leads to, held from
// construction to destruction, with the platform's Hold inside it. Callers: a record
// save, around its re-read and write.
// A lock file that cannot be made leaves the holder unlocked (held() is false); the save
// then goes on as before, since its own write reports any real failure.
class Lock {
public:
    explicit Lock(const std::string& name);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    void takeFlock(const std::string& name);

    int fd_ = -1;
    std::unique_ptr<Hold> hold_;
};

}  // namespace safe_file
