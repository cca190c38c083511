// Writing "config.ini": exact bytes, insertion order, and all-or-nothing replacement.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>

#include "config/config_parser.h"
#include "config/config_store.h"
#include "support/error_of.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace fs = std::filesystem;

// The binary links with --wrap=fsync: each sync of a plain file notes the file's size then,
// so that a test sees whether a save reached the disk whole before its rename, and whether
// "config.ini.lock" was held by then.
extern "C" int __real_fsync(int fd);
static off_t lastSyncedSize = -1;
static bool lockedAtLastSync = false;
extern "C" int __wrap_fsync(int fd) {
    struct stat file {};
    if (::fstat(fd, &file) == 0 && S_ISREG(file.st_mode)) lastSyncedSize = file.st_size;
    const int lock = ::open("config.ini.lock", O_RDWR | O_CLOEXEC);
    lockedAtLastSync = lock >= 0 && ::flock(lock, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (lock >= 0) ::close(lock);
    return __real_fsync(fd);
}

namespace {

constexpr const char* OLD_CONTENTS = "HI_SCORE = 7\nHOSHI = 1\n";
constexpr uid_t NOBODY = 65534;

// The plain files of a folder, links not followed, sorted.
std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.symlink_status().type() != fs::file_type::regular) continue;
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ConfigSave : public ::testing::Test {
protected:
    std::string saveError(const std::string& name) {
        return errorOf([&] { parser.save(name); });
    }

    ScratchDir scratch{false};
    ConfigParser parser;
};

// The start-up's defaults are written under the lock of a record update, so that a copy
// starting as another saves its record cannot write them over it.
TEST_F(ConfigSave, DefaultsAtStartUpAreWrittenUnderTheLock) {
    EXPECT_FALSE(config_store::loadOrCreate(parser, CONFIG_FILE));
    EXPECT_TRUE(lockedAtLastSync);
}

// A longer file is replaced whole by the pairs in first insertion order with their last values,
// synced before the rename, and reads back the same.
TEST_F(ConfigSave, ReplacesTheFileWithPairsInInsertionOrderSyncedBeforeTheRename) {
    writeFile("config.ini", std::string(4096, 'x'));
    parser.setString("B", "1");
    parser.setString("A", "x y\tz");
    parser.setInt("B", 2147483647);
    parser.setString("", "");
    lastSyncedSize = -1;
    parser.save(CONFIG_FILE);
    EXPECT_EQ(readFile("config.ini"), "B = 2147483647\nA = x y\tz\n = \n");
    EXPECT_EQ(lastSyncedSize, static_cast<off_t>(readFile("config.ini").size()));
    ConfigParser again;
    again.load(CONFIG_FILE);
    EXPECT_EQ(again.getKeys(), parser.getKeys());
    EXPECT_EQ(again.getString("A"), "x y\tz");
}

TEST_F(ConfigSave, DropsCommentsBlankLinesAndLinesWithoutEquals) {
    writeFile("config.ini", "# scores\n\n[main]\nB=2\r\nA = 1 # one\nB = 3\n");
    parser.load(CONFIG_FILE);
    parser.save("");
    EXPECT_EQ(readFile("config.ini"), "B = 3\nA = 1\n");
}

TEST_F(ConfigSave, SaveAfterAFailedLoadCreatesTheRequestedFile) {
    EXPECT_THROW(parser.load(CONFIG_FILE), TolmError);
    parser.setInt("HI_SCORE", 0);
    parser.save("");
    EXPECT_EQ(readFile("config.ini"), "HI_SCORE = 0\n");
}

TEST_F(ConfigSave, MissingFolderFolderInPlaceOfTheFileOrLinkLoopFailsLeavingNoTemporary) {
    parser.setInt("A", 1);
    EXPECT_EQ(saveError("nowhere/config.ini"), "Cannot write file 'nowhere/config.ini'");
    fs::create_directory("config.ini");
    EXPECT_EQ(saveError(CONFIG_FILE), "Cannot write file 'config.ini'");
    EXPECT_TRUE(fs::is_directory("config.ini"));
    EXPECT_FALSE(fs::exists("config.ini.tmp"));
    fs::create_symlink("loop-b.ini", "loop-a.ini");
    fs::create_symlink("loop-a.ini", "loop-b.ini");
    EXPECT_EQ(saveError("loop-a.ini"), "Cannot write file 'loop-a.ini'");
    EXPECT_TRUE(fs::is_symlink("loop-a.ini") && fs::is_symlink("loop-b.ini"));
    EXPECT_EQ(filesIn("."), std::vector<std::string>{}) << "no temporary is left";
}

// A player may keep the file elsewhere behind links, each relative to its own folder; the
// links must survive the save, and the target keeps its mode whatever the umask.
TEST_F(ConfigSave, SymbolicLinksStayLinksAndTheirTargetIsReplacedKeepingItsModeUnderItsLock) {
    constexpr fs::perms SHARED = fs::perms::owner_read | fs::perms::owner_write |
                                 fs::perms::group_read | fs::perms::group_write |
                                 fs::perms::others_read;  // 0664
    fs::create_directories("synced/deep");
    writeFile("synced/deep/real.ini", OLD_CONTENTS);
    fs::permissions("synced/deep/real.ini", SHARED);
    fs::create_symlink("deep/real.ini", "synced/hop.ini");
    fs::create_symlink("synced/hop.ini", "config.ini");
    parser.load(CONFIG_FILE);
    parser.setInt("HI_SCORE", 9);
    const mode_t umask = ::umask(022);
    parser.save("");
    ::umask(umask);
    EXPECT_TRUE(fs::is_symlink("config.ini") && fs::is_symlink("synced/hop.ini"));
    EXPECT_EQ(readFile("synced/deep/real.ini"), "HI_SCORE = 9\nHOSHI = 1\n");
    EXPECT_EQ(fs::status("synced/deep/real.ini").permissions(), SHARED);
    EXPECT_EQ(filesIn("synced/deep"), std::vector<std::string>{"real.ini"})
        << "no temporary is left";

    // The record update holds its lock on the lock file beside the links' target, and holds
    // it alone: while it works, another copy cannot even share it.
    bool othersShut = false;
    EXPECT_TRUE(config_store::update(CONFIG_FILE, [&othersShut](ConfigParser& now) {
        const int other = ::open("synced/deep/real.ini.lock", O_RDWR | O_CLOEXEC);
        othersShut = other >= 0 && ::flock(other, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (other >= 0) ::close(other);
        now.setInt("HI_SCORE", 8);
        return true;
    }));
    EXPECT_TRUE(othersShut);
    EXPECT_EQ(readFile("synced/deep/real.ini"), "HI_SCORE = 8\nHOSHI = 1\n");
}

// In a sticky folder open to all, another user can make the temporary file but not rename
// it over root's file: that save fails, leaving the old file and no temporary.
TEST_F(ConfigSave, ARenameRefusedInAStickyFolderFailsTheSave) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to save as another user";
    fs::permissions(scratch.path(), fs::perms::all);
    fs::create_directory("sticky");
    fs::permissions("sticky", fs::perms::all | fs::perms::sticky_bit);
    writeFile("sticky/config.ini", OLD_CONTENTS);
    parser.setInt("HI_SCORE", 9);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool asNobody = ::setgid(NOBODY) == 0 && ::setuid(NOBODY) == 0;
        ::_exit(asNobody && saveError("sticky/config.ini") ==
                                "Cannot write file 'sticky/config.ini'" ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    EXPECT_EQ(readFile("sticky/config.ini"), OLD_CONTENTS);
    EXPECT_EQ(filesIn("sticky"), std::vector<std::string>{"config.ini"}) << "no temporary is left";
}

// A file-size limit makes write fail part-way, as a full disk does.
TEST_F(ConfigSave, WriteFailingPartWayKeepsTheOldFileAndNoTemporary) {
    writeFile("config.ini", OLD_CONTENTS);
    for (int i = 0; i < 200; ++i) parser.setInt("KEY" + std::to_string(i), i);  // > 100 bytes
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = old;
    tiny.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const std::string error = saveError(CONFIG_FILE);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(error, "Cannot write file 'config.ini'");
    EXPECT_EQ(readFile("config.ini"), OLD_CONTENTS);
    EXPECT_EQ(filesIn("."), std::vector<std::string>{"config.ini"}) << "no temporary is left";
}

}  // namespace
