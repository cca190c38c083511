// Writing "config.ini": exact bytes, insertion order, and all-or-nothing replacement.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "config/config_parser.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* OLD_CONTENTS = "HI_SCORE = 7\nHOSHI = 1\n";

// The plain files of a folder, sorted.
std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ConfigSave : public ::testing::Test {
protected:
    std::string saveError(const std::string& name) {
        try {
            parser.save(name);
        } catch (const TolmError& e) {
            return e.what();
        }
        return "(no error)";
    }

    ScratchDir scratch{false};
    ConfigParser parser;
};

TEST_F(ConfigSave, WritesPairsInFirstInsertionOrderWithLastValues) {
    parser.setString("B", "1");
    parser.setString("A", "x y");
    parser.setString("B", "2");
    parser.setString("", "");
    parser.save("out.ini");
    EXPECT_EQ(readFile("out.ini"), "B = 2\nA = x y\n = \n");
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

TEST_F(ConfigSave, ReplacesALongerFileAndRoundTrips) {
    writeFile("config.ini", std::string(4096, 'x'));
    parser.setInt("HI_SCORE", 2147483647);
    parser.setString("NAME", "a b\tc");
    parser.save(CONFIG_FILE);
    EXPECT_EQ(readFile("config.ini"), "HI_SCORE = 2147483647\nNAME = a b\tc\n");
    ConfigParser again;
    again.load(CONFIG_FILE);
    EXPECT_EQ(again.getKeys(), parser.getKeys());
    EXPECT_EQ(again.getString("NAME"), "a b\tc");
}

TEST_F(ConfigSave, MissingFolderOrFolderInPlaceOfTheFileFailsLeavingNoTemporary) {
    parser.setInt("A", 1);
    EXPECT_EQ(saveError("nowhere/config.ini"), "Cannot write file 'nowhere/config.ini'");
    fs::create_directory("config.ini");
    EXPECT_EQ(saveError(CONFIG_FILE), "Cannot write file 'config.ini'");
    EXPECT_TRUE(fs::is_directory("config.ini"));
    EXPECT_FALSE(fs::exists("config.ini.tmp"));
}

// A player may keep the file elsewhere behind a link; the link must survive the save.
TEST_F(ConfigSave, SymbolicLinkStaysALinkAndItsTargetIsReplacedKeepingItsMode) {
    fs::create_directory("synced");
    writeFile("synced/real.ini", OLD_CONTENTS);
    fs::permissions("synced/real.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("synced/real.ini", "config.ini");
    parser.load(CONFIG_FILE);
    parser.setInt("HI_SCORE", 9);
    parser.save("");
    EXPECT_TRUE(fs::is_symlink("config.ini"));
    EXPECT_EQ(readFile("synced/real.ini"), "HI_SCORE = 9\nHOSHI = 1\n");
    EXPECT_EQ(fs::status("synced/real.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn("synced"), std::vector<std::string>{"real.ini"}) << "no temporary is left";
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
