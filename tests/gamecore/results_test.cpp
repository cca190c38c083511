// End of game: records, failed saves, the results wait and the results screen.
#include <algorithm>
#include <filesystem>

#include "game_fixture.h"

namespace fs = std::filesystem;

class ResultsTest : public GameTest {
protected:
    // One frame of play with the given score, in which the clock runs out; the first form
    // plays a new game of mode up to it.
    void endWithScore(int32_t mode, int32_t points) {
        playingGame(mode);
        endWithScore(points);
    }
    void endWithScore(int32_t points) {
        game->setScore(points);
        game->setTimeLeft(1);
        frame();
        ASSERT_EQ(game->getScene(), GameMain::RESULTS);
    }

    int replayFiles() const {
        int count = 0;
        for (int32_t mode = 0; mode < MODE_COUNT; ++mode) count += fs::exists(replayFile(mode));
        return count;
    }
};

// Only a score above the best is a record, judged against config.ini as it is at the end:
// another copy of the game may have saved meanwhile, and every other best it holds is kept.
TEST_F(ResultsTest, OnlyAScoreAboveTheBestInTheFileAtTheEndIsARecord) {
    struct Case {
        int32_t mode, score;
        int32_t savedMeanwhile;  // the mode's best another copy saved during play, or 0
        bool saved, shown;
    };
    for (const auto& c :
         {Case{MODE_SHUFFLE, 5000, 0, true, true}, Case{MODE_PLAIN, 5000, 0, true, true},
          Case{MODE_SHUFFLE, 4000, 0, false, true}, Case{MODE_SHUFFLE, 3000, 0, false, false},
          Case{MODE_LINE, 25000, 28000, false, false}, Case{MODE_LINE, 28000, 28000, false, true},
          Case{MODE_LINE, 30000, 20000, true, true}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " score " << c.score
                                        << " meanwhile " << c.savedMeanwhile);
        fs::remove_all("replay");
        fs::create_directory("replay");
        writeFile("config.ini", configText(4000));
        playingGame(c.mode);
        const long others = c.savedMeanwhile > 0 ? 9000 : 4000;  // the other modes' bests
        const std::string tail = c.savedMeanwhile > 0 ? "OTHER = 7\n" : "";
        if (c.savedMeanwhile > 0) {
            writeFile("config.ini", configText(others, c.mode, c.savedMeanwhile) + tail);
        }
        endWithScore(c.score);
        const int32_t best = c.saved ? c.score : std::max(c.savedMeanwhile, 4000);
        EXPECT_EQ(readFile("config.ini"), configText(others, c.mode, best) + tail);
        EXPECT_EQ(replayFiles(), c.saved ? 1 : 0);
        if (c.saved) {
            // One frame of play: the empty frame before it, the frame, the one after.
            EXPECT_EQ(readFile(replayFile(c.mode)).size(), 3u * REPLAY_RECORD_BYTES);
        }
        EXPECT_EQ(game->getHiScore(c.mode), best);
        EXPECT_EQ(textRunsAt(" NEW RECORD ", 75, 280).size(), c.shown ? 1u : 0u);
        // The spark spray: one ring, for a score up to 30000.
        EXPECT_EQ(tamaRegion(128, 0, 4, 4).size(), c.shown ? 13u : 0u);
        ASSERT_FALSE(headless::soundCalls().empty());
        EXPECT_EQ(headless::soundCalls().back().file, "resource/sound/results.ogg");
        EXPECT_EQ(headless::soundCalls().back().loops, 1);
    }
}

// A file missing at set-up gets the defaults, and then this game's record.
TEST_F(ResultsTest, AMissingConfigGetsTheDefaultsAndThenTheRecord) {
    fs::remove("config.ini");
    endWithScore(MODE_LINE, 500000);
    EXPECT_EQ(replayFiles(), 1);
    EXPECT_EQ(readFile("config.ini"), configText(0, MODE_LINE, 500000));
}

TEST_F(ResultsTest, MissingReplayFolderStillKeepsTheBest) {
    fs::remove_all("replay");
    endWithScore(MODE_SHUFFLE, 5000);
    EXPECT_EQ(readFile("config.ini"), configText(0, MODE_SHUFFLE, 5000));
    const std::string log = readFile("run.log");
    EXPECT_NE(log.find("Cannot open or create file 'replay/replay_02.bin'\n"), std::string::npos)
        << log;
    EXPECT_EQ(textRunsAt("RESULTS", 110, 160).size(), 1u);
    frames(121);
    clickAt(300, 300);
    EXPECT_EQ(game->getScene(), GameMain::CLOSING);
}

TEST_F(ResultsTest, UnwritableReplayFileOrConfigIsLoggedAndTheGameGoesOn) {
    // Folders in the files' places cannot be written, even by root.
    fs::create_directories("replay/replay_04.bin/inside");
    endWithScore(MODE_SQUARE, 70);
    EXPECT_EQ(readFile("config.ini"), configText(0, MODE_SQUARE, 70));
    EXPECT_NE(readFile("run.log").find("replay/replay_04.bin"), std::string::npos);
    EXPECT_EQ(textRunsAt(" NEW RECORD ", 75, 280).size(), 1u);  // the best itself is kept

    // A file that can no longer be read is left alone, and the replay goes with it.
    playingGame(MODE_REVERSE);
    fs::remove("config.ini");
    fs::create_directories("config.ini/inside");
    endWithScore(90);
    EXPECT_FALSE(fs::exists("replay/replay_06.bin"));
    EXPECT_EQ(game->getHiScore(MODE_REVERSE), 90);
    EXPECT_NE(readFile("run.log").find("Cannot open file 'config.ini': Is a directory\n"),
              std::string::npos);
    EXPECT_EQ(textRunsAt("RECORD NOT SAVED", 27, 280).size(), 1u);
    EXPECT_TRUE(textRuns(" NEW RECORD ").empty());

    // Nor is a record saved into a file whose best no longer reads as a number.
    fs::remove_all("config.ini");
    writeFile("config.ini", configText(0));
    playingGame(MODE_REVERSE);
    writeFile("config.ini", "HI_SCORE6 = many\n");
    endWithScore(90);
    EXPECT_EQ(readFile("config.ini"), "HI_SCORE6 = many\n");
    EXPECT_NE(readFile("run.log").find("'HI_SCORE6' -> 'many'\n"), std::string::npos);
    EXPECT_EQ(textRunsAt("RECORD NOT SAVED", 27, 280).size(), 1u);
}

TEST_F(ResultsTest, ClicksWaitForTheHundredAndTwentyFirstStep) {
    endWithScore(MODE_LINE, 0);
    frames(119);
    headless::setMouse(300, 300);
    headless::setMouseButtons(MOUSE_LEFT);
    frame();  // the 120th step
    EXPECT_TRUE(textRuns("PRESS mouse L BUTTON TO EXIT").empty());
    headless::setMouseButtons(0);
    frame();  // the 121st step sees the press and ignores it
    EXPECT_EQ(game->getScene(), GameMain::RESULTS);
    EXPECT_EQ(game->getResultsCounter(), 121);
    const auto press = textRunsAt("PRESS mouse L BUTTON TO EXIT", 100, 440);
    ASSERT_EQ(press.size(), 1u);
    EXPECT_EQ(press[0].cell, 16.0f);
    frames(10);
    clickAt(300, 300);
    EXPECT_EQ(game->getScene(), GameMain::CLOSING);
}

TEST_F(ResultsTest, ResultsTextOverTheFrozenBoard) {
    writeFile("config.ini", configText(100));
    endWithScore(MODE_LINE, 12345);
    struct Text {
        std::string text;
        int32_t x, y;
        float cell;
        Rgba rgba;
    };
    for (const auto& t :
         {Text{"RESULTS", 110, 160, 32.0f, WHITE}, Text{"SCORE", 175, 200, 16.0f, WHITE},
          Text{"12345", 140, 230, 32.0f, WHITE},
          Text{" NEW RECORD ", 75, 280, 24.0f, {255, 50, 50, 255}}}) {
        const auto runs = textRunsAt(t.text, t.x, t.y);
        ASSERT_EQ(runs.size(), 1u) << t.text;
        EXPECT_EQ(runs[0].cell, t.cell) << t.text;
        EXPECT_EQ(rgbaOf(runs[0]), t.rgba) << t.text;
    }
    for (const auto& call : headless::drawCalls()) {
        EXPECT_NE(call.glyphs.text.rfind("TIME", 0), 0u);  // no clock on the results screen
    }
    // The spark spray: one ring of 13 about a random cell near the record line.
    for (const auto& dot : tamaRegion(128, 0, 4, 4)) {
        EXPECT_TRUE(dot.x >= 91 - 32 && dot.x <= 340 + 28 && dot.y >= 286 - 32 &&
                    dot.y <= 325 + 28);
    }
}

// The chart ends with this game's bar, green even as the best, which a yellow cap marks.
TEST_F(ResultsTest, ThisGameIsTheChartsLastBarGreenEvenAsTheBest) {
    writeFile(SCORES_FILE, "2026-01-01T00:00:00+00:00 SHUFFLE 4000 30 0 EMPTY\n");
    endWithScore(MODE_SHUFFLE, 5000);  // two bars of 119 in 240 pixels, 68 high at most
    EXPECT_TRUE(drewBox({220, 346, 119, 68}, {100, 255, 100, 255}));
    EXPECT_TRUE(drewBox({220, 345, 119, 2}, {255, 255, 0, 255}));
}

// scores.txt: every game adds its line and shows its rank while in the top ten, a tie
// sharing the rank of the games it ties, the best's included; a file that cannot be
// written costs only the line, logged once, never the record.
TEST_F(ResultsTest, EveryGameAddsItsLineAndShowsItsRankInTheTopTen) {
    std::string games = "2026-01-01T00:00:00+00:00 SHUFFLE 4000 30 0 EMPTY\n";
    for (int i = 0; i < 9; ++i) games += "2026-01-02T00:00:00+00:00 SHUFFLE 3000 30 0 EMPTY\n";
    for (const auto& [score, rank] :
         {std::pair{5000, 1u}, {4000, 1u}, {3500, 2u}, {3000, 2u}, {2999, 0u}}) {
        writeFile("config.ini", configText(4000));
        writeFile(SCORES_FILE, games);
        endWithScore(MODE_SHUFFLE, score);
        const std::string line = "SHUFFLE " + std::to_string(score) + " 0 0 TIME\n";
        EXPECT_EQ(readFile(SCORES_FILE).substr(games.size() + 26), line);
        EXPECT_EQ(game->getRank(), rank) << "outside the top ten: none";
        EXPECT_EQ(textRunsAt("RANK " + std::to_string(rank), 140, 316).size(),
                  rank > 0 ? 1u : 0u);
    }
    writeFile("config.ini", configText(3000));
    writeFile(SCORES_FILE, games.substr(games.find('\n') + 1));  // nine games of 3000
    endWithScore(MODE_SHUFFLE, 2000);
    EXPECT_EQ(textRunsAt("RANK 10", 140, 316).size(), 1u) << "exactly tenth";
    fs::remove(SCORES_FILE);
    fs::create_directory(SCORES_FILE);
    writeFile("config.ini", configText(4000));
    endWithScore(MODE_SHUFFLE, 6000);
    EXPECT_EQ(readFile("config.ini"), configText(4000, MODE_SHUFFLE, 6000));
    EXPECT_EQ(textRunsAt("RANK 1", 140, 316).size(), 1u);
    const std::string log = readFile(LOG_FILE);
    const std::string cannot = "Cannot write file 'scores.txt'";
    EXPECT_EQ(log.find(cannot), log.rfind(cannot)) << "logged once";
    EXPECT_NE(log.find("Cannot write file 'scores.txt': Is a directory"), std::string::npos);
}
