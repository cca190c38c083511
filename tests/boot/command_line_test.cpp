// The command line: options in order, sizes read like C's atoi, and bad sizes refused.
#include <gtest/gtest.h>

#include "boot/command_line.h"

namespace {
CommandLine parse(std::vector<std::string> args) {
    args.insert(args.begin(), "korvane");
    return parseCommandLine(args);
}
}  // namespace

TEST(CommandLine, DefaultsToA640By480Window) {
    const CommandLine line = parse({});
    EXPECT_EQ(line.windowWidth, 640);
    EXPECT_EQ(line.windowHeight, 480);
    EXPECT_FALSE(line.fullScreen);
    EXPECT_FALSE(line.keepAspect);
    EXPECT_FALSE(line.explicitSize) << "full screen takes the desktop's size";
    EXPECT_TRUE(line.error.empty());
}

TEST(CommandLine, LaterOptionsOverrideEarlierOnesAndOthersAreIgnored) {
    EXPECT_TRUE(parse({"-res", "800", "600", "-fullscreen"}).fullScreen);
    EXPECT_EQ(parse({"-res", "800", "600", "-fullscreen"}).windowWidth, 800);
    EXPECT_TRUE(parse({"-res", "800", "600", "-fullscreen"}).explicitSize);
    EXPECT_FALSE(parse({"-fullscreen", "-window"}).fullScreen);
    EXPECT_FALSE(parse({"-RES", "1", "1", "--window", "-Fullscreen"}).fullScreen);
    EXPECT_EQ(parse({"-RES", "1", "1"}).windowWidth, 640);
    const CommandLine kept = parse({"-keep-aspect", "-res", "1920", "1080", "-keep-aspect"});
    EXPECT_TRUE(kept.keepAspect);
    EXPECT_EQ(kept.windowWidth, 1920);
    EXPECT_FALSE(parse({"-Keep-Aspect", "-keepaspect", "--keep-aspect"}).keepAspect);
    // The size values are consumed, so "-fullscreen" as a value is not an option.
    const CommandLine consumed = parse({"-res", "800", "-fullscreen", "-window"});
    EXPECT_FALSE(consumed.error.empty());
}

TEST(CommandLine, SizesReadDigitsUpToTheFirstNonDigit) {
    const CommandLine line = parse({"-res", "1024x768", " +600"});
    EXPECT_EQ(line.windowWidth, 1024);
    EXPECT_EQ(line.windowHeight, 600);
    EXPECT_EQ(parseLeadingInt("\t\n 42abc"), 42);
    EXPECT_EQ(parseLeadingInt("-17"), -17);
    EXPECT_EQ(parseLeadingInt("abc"), 0);
    EXPECT_EQ(parseLeadingInt("4294967297"), 1);  // wraps past 32 bits
}

TEST(CommandLine, ResWithMissingOrTooSmallValuesIsRefusedWithTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"-res"}, {"-res", "800"}, {"-res", "0", "0"}, {"-res", "abc", "480"},
             {"-res", "640", "-480"}, {"-window", "-res", "800", "600", "-res", "1"}}) {
        const CommandLine line = parse(args);
        EXPECT_FALSE(line.error.empty()) << args.size();
        EXPECT_NE(line.error.find(USAGE), std::string::npos);
        EXPECT_EQ(line.error.find('\n'), std::string::npos);
    }
    EXPECT_NE(parse({"-res", "abc", "480"}).error.find("'abc'"), std::string::npos);
    // A hostile value cannot break the message into several lines.
    EXPECT_NE(parse({"-res", "a\nb", "1"}).error.find("'a\\x0Ab'"), std::string::npos);
}

TEST(CommandLine, WatchTakesTheNextArgumentAsItsFile) {
    EXPECT_EQ(parse({"-watch", "-window", "-fullscreen"}).watchFile, "-window");
    EXPECT_TRUE(parse({"-watch", "-window", "-fullscreen"}).fullScreen);
    EXPECT_EQ(parse({}).watchFile, "");
    const CommandLine missing = parse({"-window", "-watch"});
    EXPECT_EQ(missing.error, std::string("korvane: -watch needs a file; ") + USAGE);
}
