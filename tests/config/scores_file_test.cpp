// "scores.txt": the line both ways, appending beside garbage, and the ranking of one mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "config/mode_table.h"
#include "config/score_stats.h"
#include "config/scores_file.h"
#include "support/scratch.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* STAMP = "2026-12-08T16:42:05+01:00";

ScoreLine game(int32_t mode, int32_t score, std::string stamp = STAMP) {
    return {std::move(stamp), mode, score, 30, 137, GameEnding::EMPTY};
}

ModeScores lineGames(const std::vector<int32_t>& scores, int32_t configBest = 0) {
    std::vector<ScoreLine> all;
    for (size_t i = 0; i < scores.size(); ++i) {
        all.push_back(game(MODE_LINE, scores[i], "2026-01-0" + std::to_string(i + 1) + "T00:00:00+00:00"));
        all.push_back(game(MODE_MIXER, 999));
    }
    return scoresOfMode(all, MODE_LINE, configBest);
}

TEST(ScoresLine, ReadsBackWhatItWritesAndRejectsEveryOtherShape) {
    for (const ScoreLine& written :
         {game(MODE_LINE, 111397), ScoreLine{"1999-01-31T23:59:59-09:30", MODE_REVERSE, 2147483647, 0, 0, GameEnding::STUCK},
          ScoreLine{STAMP, MODE_MIXER, 0, 12, 180, GameEnding::TIME}}) {
        const std::string line = scores_file::formatLine(written);
        ASSERT_EQ(line.back(), '\n');
        const auto read = scores_file::parseLine(std::string_view(line).substr(0, line.size() - 1));
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(scores_file::formatLine(*read), line);
    }
    EXPECT_EQ(scores_file::formatLine(game(MODE_LINE, 111397)),
              "2026-12-08T16:42:05+01:00 LINE 111397 30 137 EMPTY\n");
    EXPECT_TRUE(scores_file::parseLine("2026-12-08T16:42:05+01:00 LINE 1 2 3 TIME\r"));
    for (const char* bad : {"", "garbage", "2026-12-08T16:42:05+01:00 LINE 111397 30 137",
                            "2026-12-08T16:42:05+01:00 LINE 111397 30 137 EMPTY x",
                            "2026-12-08T16:42:05+01:00  LINE 111397 30 137 EMPTY",
                            "2026-12-08 16:42:05+01:00 LINE 111397 30 137 EMPTY",
                            "2026-12-08T16:42:05Z LINE 111397 30 137 EMPTY",
                            "2026-12-08T16:42:05+01:00 line 111397 30 137 EMPTY",
                            "2026-12-08T16:42:05+01:00 LINE -5 30 137 EMPTY",
                            "2026-12-08T16:42:05+01:00 LINE 2147483648 30 137 EMPTY",
                            "2026-12-08T16:42:05+01:00 LINE 1 31 137 EMPTY",
                            "2026-12-08T16:42:05+01:00 LINE 1 30 181 EMPTY",
                            "2026-12-08T16:42:05+01:00 LINE 1 30 137 QUIT"}) {
        EXPECT_FALSE(scores_file::parseLine(bad)) << bad;
    }
}

TEST(ScoresLine, StampsLocalTimeWithItsOffset) {
    ::setenv("TZ", "Europe/Paris", 1);
    ::tzset();
    EXPECT_EQ(scores_file::localStamp(1796744525), "2026-12-08T16:42:05+01:00");
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(scores_file::localStamp(1796744525), "2026-12-08T15:42:05+00:00");
    ::unsetenv("TZ");
    ::tzset();
}

// Garbage stays and is counted once per read; a line cut short by a crash is ended
// before the next one, so both the new line and the old ones survive.
TEST(ScoresFile, AppendsBesideGarbageAndCountsWhatItSkips) {
    ScratchDir scratch;
    Tolm_resetLog();
    writeFile(SCORES_FILE, "garbage\n2026-12-08T16:42:05+01:00 LINE 5 1 2 STUCK\n2026-12-08T16:4");
    scores_file::append(SCORES_FILE, game(MODE_SQUARE, 7));
    EXPECT_EQ(readFile(SCORES_FILE),
              "garbage\n2026-12-08T16:42:05+01:00 LINE 5 1 2 STUCK\n2026-12-08T16:4\n"
              "2026-12-08T16:42:05+01:00 SQUARE 7 30 137 EMPTY\n");
    const ScoresRead read = scores_file::read(SCORES_FILE);
    ASSERT_EQ(read.games.size(), 2u);
    EXPECT_EQ(read.games[1].mode, MODE_SQUARE);
    EXPECT_EQ(read.skipped, 2u);
    EXPECT_EQ(readFile(LOG_FILE), "scores.txt: 2 lines skipped\n");

    std::filesystem::remove(SCORES_FILE);
    EXPECT_TRUE(scores_file::read(SCORES_FILE).games.empty()) << "no file yet";
    std::filesystem::create_directory(SCORES_FILE);
    EXPECT_THROW(scores_file::read(SCORES_FILE), TolmError);
    EXPECT_THROW(scores_file::append(SCORES_FILE, game(MODE_LINE, 1)), TolmError);
}

TEST(ScoresRanking, TiesGoToTheOlderGameAndTheUndatedBestIsOldest) {
    const ModeScores scores = lineGames({500, 900, 500, 900, 100});
    const std::vector<ScoreLine> top = topTen(scores);
    ASSERT_EQ(top.size(), 5u);
    EXPECT_EQ(top[0].stamp, "2026-01-02T00:00:00+00:00");
    EXPECT_EQ(top[1].stamp, "2026-01-04T00:00:00+00:00");
    EXPECT_EQ(top[2].stamp, "2026-01-01T00:00:00+00:00");
    EXPECT_EQ(rankOf(scores, 900), 3u) << "a new 900 comes after both older ones";
    EXPECT_EQ(rankOf(scores, 901), 1u);
    EXPECT_EQ(rankOf(scores, 0), 6u);
    EXPECT_EQ(topTen(lineGames({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})).back().score, 3);

    const ModeScores withBest = lineGames({500, 900}, 900);
    EXPECT_FALSE(withBest.undatedBest) << "a game of the file already reaches the best";
    const ModeScores beforeFile = lineGames({}, 900);
    ASSERT_TRUE(beforeFile.undatedBest);
    EXPECT_EQ(beforeFile.undatedBest->date(), "");
    EXPECT_EQ(rankOf(beforeFile, 900), 2u);
    EXPECT_EQ(topTen(lineGames({900}, 1000)).front().stamp, "") << "a best whose line was lost";
    EXPECT_TRUE(topTen(lineGames({}, 0)).empty());
}

TEST(ScoresAverage, TakesTheLastTenOrAsManyAsWerePlayed) {
    const struct {
        std::vector<int32_t> scores;
        int64_t average;
    } cases[] = {{{}, 0},
                 {{7}, 7},
                 {{1, 2, 4}, 2},
                 {{1000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11}, 2},
                 {{2147483647, 2147483647, 2147483647}, 2147483647}};
    for (const auto& c : cases) {
        EXPECT_EQ(averageOfLast(lineGames(c.scores).games, TOP_TEN), c.average) << c.scores.size();
    }
    EXPECT_EQ(lastScores(lineGames({1, 2, 3}).games, 2), (std::vector<int32_t>{2, 3}));
}

}  // namespace
