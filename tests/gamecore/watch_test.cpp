// Watching: a record keeps a watch file, which plays back to the same score, or says not.
#include "game_fixture.h"

namespace {

const std::string WATCH_LINE = "replay/replay_01.watch";

}  // namespace

class WatchTest : public GameTest {
protected:
    // A LINE record of one pair (cards 0 and 30 are twins), played to the end of the clock.
    WatchRecord playRecord() {
        playingGame(MODE_LINE);
        frames(30);
        clickCard(0);
        clickCard(30);
        runToResults();
        return loadWatchFile(WATCH_LINE);
    }
    void runToResults() {
        while (game->getScene() != GameMain::RESULTS) game->step();
        frame();
    }
    void watch(const WatchRecord& record) {
        game = std::make_unique<GameMain>(WatchedGame{WATCH_LINE, record});
        frames(182);
        // The live pointer sits on a card and moves: the rules must not see it.
        headless::setMouse(55, 55);
    }
};

TEST_F(WatchTest, ARecordPlaysBackToTheSameScoreAndSavesNothing) {
    const WatchRecord record = playRecord();
    const int32_t score = game->getScore();
    ASSERT_GT(score, 0);
    EXPECT_EQ(record.mode, MODE_LINE);
    EXPECT_EQ(record.score, score);
    EXPECT_EQ(record.frames.size(), static_cast<size_t>(GAME_FRAMES));
    const std::string config = readFile("config.ini");

    watch(record);
    EXPECT_EQ(textRunsAt("REPLAY", 168, 11).size(), 1u);
    EXPECT_EQ(game->getHiScore(MODE_LINE), score) << "the HUD's best is the recorded score";
    runToResults();
    EXPECT_EQ(game->getScore(), score);
    EXPECT_EQ(textRunsAt("VERIFIED", 123, 280).size(), 1u);
    EXPECT_TRUE(textRuns(" NEW RECORD ").empty());
    EXPECT_NE(readFile("run.log").find("Watch " + WATCH_LINE + ": VERIFIED " +
                                       std::to_string(score) + "\n"),
              std::string::npos);
    EXPECT_EQ(readFile("config.ini"), config);
    EXPECT_EQ(loadWatchFile(WATCH_LINE).frames, record.frames);

    WatchRecord claimed = record;
    claimed.score += 1;
    watch(claimed);
    runToResults();
    EXPECT_EQ(textRunsAt("MISMATCH", 123, 280).size(), 1u);
    EXPECT_NE(readFile("run.log").find("Watch " + WATCH_LINE + ": MISMATCH recorded " +
                                       std::to_string(score + 1) + " replayed " +
                                       std::to_string(score) + "\n"),
              std::string::npos);
}

TEST_F(WatchTest, ALiveLeftClickLeavesAndOthersDoNothing) {
    const WatchRecord record = playRecord();
    watch(record);
    headless::setMouseButtons(MOUSE_RIGHT);
    frames(2);
    headless::setMouseButtons(0);
    EXPECT_EQ(game->getScene(), GameMain::PLAYING);
    clickCard(1);
    EXPECT_EQ(game->getFirstPick(), NO_CARD);
    frames(2);
    EXPECT_EQ(game->getMsg(), MSG_TITLE);
}
