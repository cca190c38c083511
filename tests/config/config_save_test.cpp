// Writing "config.ini": exact bytes, insertion order, and all-or-nothing replacement.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "config/config_parser.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* OLD_CONTENTS = "HI_SCORE = 7\nHOSHI = 1\n";

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

TEST_F(ConfigSave, BlockedTemporaryKeepsTheOldFile) {
    writeFile("config.ini", OLD_CONTENTS);
    fs::create_directory("config.ini.tmp");
    parser.setInt("HI_SCORE", 9);
    EXPECT_EQ(saveError(CONFIG_FILE), "Cannot write file 'config.ini'");
    EXPECT_EQ(readFile("config.ini"), OLD_CONTENTS);
    EXPECT_TRUE(fs::is_directory("config.ini.tmp"));
}

TEST_F(ConfigSave, StaleTemporaryFromACrashIsReplaced) {
    writeFile("config.ini.tmp", "half a fi");
    parser.setInt("HI_SCORE", 9);
    parser.save(CONFIG_FILE);
    EXPECT_EQ(readFile("config.ini"), "HI_SCORE = 9\n");
    EXPECT_FALSE(fs::exists("config.ini.tmp"));
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
    EXPECT_FALSE(fs::exists("config.ini.tmp"));
}

}  // namespace
