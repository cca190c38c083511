// Reading "key = value" files and the strict conversions of their values.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "config/config_parser.h"
#include "support/error_of.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace {

class ConfigRead : public ::testing::Test {
protected:
    ConfigParser& loaded(const std::string& bytes) {
        writeFile(CONFIG_FILE, bytes);
        parser.load(CONFIG_FILE);
        return parser;
    }
    ScratchDir scratch{false};
    ConfigParser parser;
};

TEST_F(ConfigRead, WhiteSpaceCarriageReturnsAndCommentsAroundTheValue) {
    for (const std::string line : {"HI_SCORE=5", " \tHI_SCORE \t= \t5 \t", "HI_SCORE = 5 # best",
                                   "\v\fHI_SCORE = 5\r", "HI_SCORE = 5 = 6"}) {
        EXPECT_EQ(loaded(line + "\r\nB = 2\r\n").getString("HI_SCORE"), "5") << line;
        EXPECT_EQ(parser.getString("B"), "2") << line;
    }
    EXPECT_EQ(loaded("NAME = ab#cd\nKEY#=1\nLAST = 9").getString("NAME"), "ab");
    EXPECT_EQ(parser.getKeys(), (std::vector<std::string>{"NAME", "LAST"}));
}

TEST_F(ConfigRead, LinesWithoutEqualsStoreNothingButEmptyPartsAreStored) {
    EXPECT_TRUE(loaded("# HI_SCORE = 5\n[scores]\n\n  \nplain words\n").getKeys().empty());
    loaded("HI_SCORE =\n = x\n");
    EXPECT_EQ(parser.getString("HI_SCORE"), "");
    EXPECT_EQ(parser.getInt("HI_SCORE"), 0);
    EXPECT_EQ(parser.getString(""), "x");
}

TEST_F(ConfigRead, RepeatedKeyKeepsFirstPositionAndLastValue) {
    loaded("A = 1\nB = 2\nA = 3\n");
    EXPECT_EQ(parser.getKeys(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(parser.getString("A"), "3");
}

TEST_F(ConfigRead, ByteOrderMarkBelongsToTheFirstKey) {
    loaded("\xEF\xBB\xBFHI_SCORE = 5\n");
    EXPECT_EQ(errorOf([&] { parser.getInt("HI_SCORE"); }),
              "ConfigParser.checkKey(): not exist key ... 'HI_SCORE'");
    EXPECT_EQ(parser.getString("\xEF\xBB\xBFHI_SCORE"), "5");
}

TEST_F(ConfigRead, EmptyFileHasNoKeysAndEveryGetFails) {
    loaded("");
    EXPECT_TRUE(parser.getKeys().empty());
    const std::string missing = "ConfigParser.checkKey(): not exist key ... 'HOSHI'";
    EXPECT_EQ(errorOf([&] { parser.getInt("HOSHI"); }), missing);
    EXPECT_EQ(errorOf([&] { parser.getFloat("HOSHI"); }), missing);
    EXPECT_EQ(errorOf([&] { parser.getBool("HOSHI"); }), missing);
}

TEST_F(ConfigRead, UnreadableFileFailsNamingItAndEmptiesTheParser) {
    loaded("A = 1\n");
    EXPECT_EQ(errorOf([&] { parser.load("missing.ini"); }), "Cannot open file 'missing.ini': No such file or directory");
    EXPECT_TRUE(parser.getKeys().empty());
    EXPECT_EQ(parser.getFileName(), "missing.ini");
    ASSERT_EQ(::mkdir("folder.ini", 0755), 0);
    EXPECT_EQ(errorOf([&] { parser.load("folder.ini"); }), "Cannot open file 'folder.ini': Is a directory");
}

TEST_F(ConfigRead, ReloadAndIsLatestFollowTheFile) {
    loaded("A = 1\n");
    EXPECT_TRUE(parser.isLatest());
    writeFile(CONFIG_FILE, "A = 2\n");
    parser.reload();
    EXPECT_EQ(parser.getInt("A"), 2);
    const struct timespec later[2] = {{4102444800, 0}, {4102444800, 0}};  // year 2100
    ASSERT_EQ(::utimensat(AT_FDCWD, CONFIG_FILE, later, 0), 0);
    EXPECT_FALSE(parser.isLatest());
    std::remove(CONFIG_FILE);
    EXPECT_EQ(errorOf([&] { parser.isLatest(); }), "Cannot open file 'config.ini': No such file or directory");
}

TEST(ConfigValues, IntegersAreUnsignedDigitsThatWrapAtThirtyTwoBits) {
    EXPECT_EQ(ConfigParser::parseInt("K", "0012"), 12);
    EXPECT_EQ(ConfigParser::parseInt("K", "2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ConfigParser::parseInt("K", "4294967295"), -1);
    EXPECT_EQ(ConfigParser::parseInt("K", "12884901891"), 3);  // 3 * 2^32 + 3
    EXPECT_EQ(errorOf([] { ConfigParser::parseInt("HI_SCORE", "-5"); }),
              "not digit value ... 'HI_SCORE' -> '-5'");
    for (const char* bad : {"+5", " 5", "0x10", "1.0", "\xEF\xBC\x95"}) {
        EXPECT_THROW(ConfigParser::parseInt("K", bad), TolmError) << bad;
    }
    ConfigParser parser;
    parser.setInt("LOW", std::numeric_limits<int32_t>::min());
    EXPECT_EQ(parser.getString("LOW"), "-2147483648");
    EXPECT_THROW(parser.getInt("LOW"), TolmError);
}

TEST(ConfigValues, FractionsAreDigitsAndPointsOnly) {
    const std::pair<const char*, double> good[] = {
        {"1.5", 1.5}, {"1.2.3", 1.2}, {".5", 0.5}, {"7.", 7.0}, {".", 0.0}, {"", 0.0}, {"..5", 0.0}};
    for (const auto& [text, value] : good) {
        EXPECT_DOUBLE_EQ(ConfigParser::parseFloat("K", text), value) << text;
    }
    EXPECT_TRUE(std::isinf(ConfigParser::parseFloat("K", "1" + std::string(400, '0'))));
    EXPECT_EQ(errorOf([] { ConfigParser::parseFloat("RATE", "1e5"); }),
              "not digit value ... 'RATE' -> '1e5'");
    EXPECT_THROW(ConfigParser::parseFloat("K", "-1"), TolmError);
    ConfigParser parser;
    parser.setFloat("F", 0.1f);
    EXPECT_EQ(parser.getString("F"), "0.1");
    parser.setFloat("F", 1000000.0f);
    EXPECT_EQ(errorOf([&] { parser.getFloat("F"); }), "not digit value ... 'F' -> '1e+06'");
}

TEST(ConfigValues, BooleansAreExactlyTheEightWords) {
    for (const char* yes : {"1", "on", "yes", "true"}) EXPECT_TRUE(ConfigParser::parseBool("K", yes));
    for (const char* no : {"0", "no", "off", "false"}) EXPECT_FALSE(ConfigParser::parseBool("K", no));
    EXPECT_EQ(errorOf([] { ConfigParser::parseBool("SOUND", "On"); }),
              "not boolean value ... 'SOUND' -> 'On'");
    for (const char* bad : {"TRUE", "Yes", "", "2", "true "}) {
        EXPECT_THROW(ConfigParser::parseBool("K", bad), TolmError) << bad;
    }
    ConfigParser parser;
    parser.setBool("B", false);
    EXPECT_EQ(parser.getString("B"), "false");
}

}  // namespace
