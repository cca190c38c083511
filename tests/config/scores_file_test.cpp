// "scores.txt": the line both ways, appending beside garbage, and the ranking of one mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config/mode_table.h"
#include "config/score_stats.h"
#include "config/scores_file.h"
#include "support/scratch.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* LINE_TEXT = "2026-12-08T16:42:05+01:00 LINE 111397 30 137 EMPTY";

ScoreLine game(int32_t mode, int32_t score, std::string stamp = "2026-12-08T16:42:05+01:00") {
    return {std::move(stamp), mode, score, 30, 137, GameEnding::EMPTY};
}

// LINE games of these scores on the 1st, 2nd ... of January, a MIXER game after each.
ModeScores lineGames(const std::vector<int32_t>& scores, int32_t configBest = 0) {
    std::vector<ScoreLine> all;
    for (size_t i = 0; i < scores.size(); ++i) {
        const std::string day = (i < 9 ? "2026-01-0" : "2026-01-") + std::to_string(i + 1);
        all.push_back(game(MODE_LINE, scores[i], day + "T00:00:00+00:00"));
        all.push_back(game(MODE_MIXER, 999));
    }
    return scoresOfMode(all, MODE_LINE, configBest);
}

// The January days of the entries, 0 for the undated best of config.ini.
std::vector<int> daysOf(const std::vector<ScoreLine>& entries) {
    std::vector<int> days;
    for (const ScoreLine& entry : entries) {
        days.push_back(entry.date().empty() ? 0 : std::stoi(entry.date().substr(8)));
    }
    return days;
}

TEST(ScoresLine, ReadsBackWhatItWritesAndRejectsEveryOtherShape) {
    EXPECT_EQ(scores_file::formatLine(game(MODE_LINE, 111397)), std::string(LINE_TEXT) + "\n");
    for (const std::string line : {LINE_TEXT,
                                   "1999-01-31T23:59:59-09:30 REVERSE 2147483647 0 0 STUCK",
                                   "2026-12-08T16:42:05+01:00 MIXER 0 12 180 TIME"}) {
        const auto read = scores_file::parseLine(line + "\r");
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(scores_file::formatLine(*read), line + "\n");
    }
    // One change each to the good line makes it unreadable.
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {LINE_TEXT, ""}, {LINE_TEXT, "garbage"}, {" EMPTY", ""}, {"EMPTY", "EMPTY x"},
             {" LINE", "  LINE"}, {"08T", "08 "}, {"05+01:00", "05Z"}, {"LINE", "line"},
             {"111397", "-5"}, {"111397", "2147483648"}, {" 30 ", " 31 "}, {"137", "181"},
             {"EMPTY", "QUIT"}}) {
        std::string bad = LINE_TEXT;
        bad.replace(bad.find(from), from.size(), to);
        EXPECT_FALSE(scores_file::parseLine(bad)) << bad;
    }
    for (const auto& [zone, stamp] : {std::pair{"Europe/Paris", "2026-12-08T16:42:05+01:00"},
                                      {"UTC", "2026-12-08T15:42:05+00:00"}}) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        EXPECT_EQ(scores_file::localStamp(1796744525), stamp) << zone;
    }
    ::unsetenv("TZ");
    ::tzset();
}

// Garbage stays and is counted once per read; a line cut short by a crash is ended
// before the next one, so both the new line and the old ones survive.
TEST(ScoresFile, AppendsBesideGarbageAndCountsWhatItSkips) {
    ScratchDir scratch;
    Tolm_resetLog();
    const std::string before = std::string("garbage\n") + LINE_TEXT + "\n2026-12-08T16:4";
    writeFile(SCORES_FILE, before);
    scores_file::append(SCORES_FILE, game(MODE_SQUARE, 7));
    EXPECT_EQ(readFile(SCORES_FILE),
              before + "\n2026-12-08T16:42:05+01:00 SQUARE 7 30 137 EMPTY\n");
    const ScoresRead read = scores_file::read(SCORES_FILE);
    EXPECT_EQ(std::make_pair(read.games.size(), read.skipped),
              std::make_pair(size_t{2}, size_t{2}));
    EXPECT_EQ(readFile(LOG_FILE), "scores.txt: 2 lines skipped\n");

    std::filesystem::remove(SCORES_FILE);
    EXPECT_TRUE(scores_file::read(SCORES_FILE).games.empty()) << "no file yet";
    std::filesystem::create_directory(SCORES_FILE);
    EXPECT_THROW(scores_file::read(SCORES_FILE), TolmError);
    EXPECT_THROW(scores_file::append(SCORES_FILE, game(MODE_LINE, 1)), TolmError);
}

// The top ten lists the older of equal scores first; a rank counts only the higher scores.
TEST(ScoresRanking, TiesGoToTheOlderGameAndTheUndatedBestOfConfigIsOldest) {
    const ModeScores scores = lineGames({500, 900, 500, 900, 100});
    EXPECT_EQ(daysOf(topTen(scores)), (std::vector<int>{2, 4, 1, 3, 5}));
    EXPECT_EQ(std::vector<size_t>({rankOf(scores, 900), rankOf(scores, 901), rankOf(scores, 500),
                                   rankOf(scores, 0)}),
              std::vector<size_t>({1, 1, 3, 6}));
    EXPECT_EQ(topTen(lineGames({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})).back().score, 3);

    for (const int32_t configBest : {600, 900}) {
        EXPECT_FALSE(lineGames({500, 900}, configBest).undatedBest) << "a game reaches the best";
    }
    const ModeScores beforeFile = lineGames({}, 900);
    EXPECT_EQ(daysOf(topTen(beforeFile)), std::vector<int>{0});
    EXPECT_EQ(std::make_pair(rankOf(beforeFile, 900), rankOf(beforeFile, 899)),
              std::make_pair(size_t{1}, size_t{2}));
    EXPECT_EQ(daysOf(topTen(lineGames({900}, 1000))), (std::vector<int>{0, 1}))
        << "a best whose line was lost";
    EXPECT_TRUE(topTen(lineGames({}, 0)).empty());
}

TEST(ScoresAverage, TakesTheLastTenOrAsManyAsWerePlayed) {
    const std::pair<std::vector<int32_t>, int64_t> cases[] = {
        {{}, 0}, {{7}, 7}, {{1, 2, 4}, 2}, {{1000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11}, 2},
        {{2147483647, 2147483647, 2147483647}, 2147483647}};
    for (const auto& [scores, average] : cases) {
        EXPECT_EQ(averageOfLast(lineGames(scores).games, TOP_TEN), average) << scores.size();
    }
    EXPECT_EQ(lastScores(lineGames({1, 2, 3}).games, 2), (std::vector<int32_t>{2, 3}));
}

}  // namespace
