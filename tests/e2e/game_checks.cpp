// The end-of-game checks and the pair-taking loop shared by the game and mode tests.
#include "game_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <utility>

#include "config/scores_file.h"

using namespace std::chrono_literals;

namespace {

constexpr size_t RECORD_FIELDS = 12;
constexpr Rgb RECORD_RED{255, 50, 50};
constexpr Rgb RANK_YELLOW{255, 255, 0};
// A take animation runs 31 frames and a bonus pop-up 60: after this the board is still.
constexpr auto BOARD_SETTLES = 1200ms;
constexpr int CLEAN_LOOKS = 20;
// The record line has a burst of sparks over it in nearly every frame.
constexpr double SPARKS_OVER_TEXT = 0.08;

std::string sixDigits(long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%06ld", value);
    return text;
}

void expectResultsScreen(Player& player, Image shot, FinishedGame& finished) {
    EXPECT_FALSE(readClock(shot).has_value()) << "the results screen hides the clock";
    // Sparks fly about the record line and bonus icons may still cross the text: look
    // until each part has shown clean once.
    bool labelShown = false;
    bool scoreShown = false;
    bool recordShown = false;
    bool bestShown = false;
    bool rankShown = false;
    for (int look = 0;
         look < CLEAN_LOOKS && !(labelShown && scoreShown && recordShown && bestShown && rankShown); ++look) {
        if (look > 0) shot = player.look();
        const std::optional<long> hud = readScore(shot);
        const std::optional<std::string> written = readDigits(shot, 140, 230, 4.0f, WHITE_TEXT);
        if (hud) finished.score = *hud;
        if (showsText(shot, "SCORE", 175, 200, 2.0f, WHITE_TEXT)) labelShown = true;
        if (showsText(shot, "RANK 1", 140, 316, 2.5f, RANK_YELLOW)) rankShown = true;
        if (hud && written && *written == std::to_string(*hud)) scoreShown = true;
        // The record is the mode's best from now on, in the HUD too.
        const std::optional<std::string> best = readDigits(shot, 410, 30, 4.0f, WHITE_TEXT);
        if (hud && best && *best == std::to_string(*hud)) bestShown = true;
        if (textMismatch(shot, " NEW RECORD ", 75, 280, 3.0f, RECORD_RED) <= SPARKS_OVER_TEXT) {
            recordShown = true;
        }
    }
    EXPECT_TRUE(labelShown) << "the results say SCORE";
    EXPECT_TRUE(scoreShown) << "the results show the score of the HUD";
    EXPECT_TRUE(recordShown) << "a record shows \" NEW RECORD \"";
    EXPECT_TRUE(bestShown) << "the HUD's HI SCORE is the new best";
    EXPECT_TRUE(rankShown) << "a record ranks first";
    EXPECT_GT(finished.score, 0);
}

std::string today() { return scores_file::localStamp(std::time(nullptr)).substr(0, 10); }

// The file gained exactly one well-formed line, this game's, after what it held before.
void expectOneNewScoresLine(int mode, long score) {
    const std::string text = readFile(SCORES_FILE);
    ASSERT_GE(text.size(), 2u) << "no scores.txt";
    const size_t lastStart = text.rfind('\n', text.size() - 2) + 1;
    EXPECT_TRUE(lastStart == 0 || text.substr(0, lastStart) == seededScores()) << text;
    const auto line = scores_file::parseLine(text.substr(lastStart, text.size() - lastStart - 1));
    ASSERT_TRUE(line && text.back() == '\n') << text.substr(lastStart);
    EXPECT_EQ(std::make_tuple(line->mode, long{line->score}, line->date()), std::make_tuple(mode, score, today()));
    EXPECT_TRUE(line->pairs < 30 || line->ending == GameEnding::EMPTY) << "a cleared board";
}

// From the title, S opens the mode's scores: this game first, dated today, and when the
// seeded games are there, the best of them second with its old date.
void expectScoresScreen(GameProcess& game, Player& player, int mode, long score) {
    const bool seeded = mode == MODE_LINE && readFile(SCORES_FILE).rfind(seededScores(), 0) == 0;
    game.pressKey("s");
    char first[64];
    std::snprintf(first, sizeof first, " 1  %10ld  %s", score, today().c_str());
    bool firstShown = false;
    bool secondShown = !seeded;
    for (int look = 0; look < CLEAN_LOOKS && !(firstShown && secondShown); ++look) {
        std::this_thread::sleep_for(100ms);
        const Image shot = player.look();
        firstShown = showsText(shot, first, 110, 120, 2.0f, WHITE_TEXT);
        secondShown = secondShown || showsText(shot, " 2       12000  2025-03-12", 110, 138, 2.0f, WHITE_TEXT);
    }
    EXPECT_TRUE(firstShown) << "the new game tops the scores screen";
    EXPECT_TRUE(secondShown) << "the best seeded game follows with its date";
    EXPECT_TRUE(!seeded || countLogLines("scores.txt: 1 lines skipped") >= 1) << "the garbage line skipped";
}

void expectTitleBests(const Image& title, int mode, long score) {
    for (int row = MODE_LINE; row <= MODE_REVERSE; ++row) {
        const std::string expected = row == mode ? sixDigits(score) : "000000";
        EXPECT_EQ(readDigits(title, TITLE_SCORE_X, titleRowY(row), TITLE_SCORE_SCALE, WHITE_TEXT)
                      .value_or("unreadable"),
                  expected)
            << "title row " << row;
    }
}

void expectReplayOfTheGame(const Player& player, const std::string& bytes) {
    ASSERT_FALSE(bytes.empty()) << "no replay file";
    EXPECT_EQ(bytes.size() % REPLAY_RECORD_SIZE, 0u) << bytes.size();
    const std::vector<ReplayRecord> records = replayRecords(bytes);
    ASSERT_GE(records.size(), 2u);
    const ReplayRecord idle(RECORD_FIELDS, 0);
    EXPECT_EQ(records.front(), idle) << "the frame before the first sample";
    EXPECT_EQ(records.back(), idle) << "the unsampled frame after the last";
    for (const ReplayRecord& record : records) {
        for (const int flag : record) ASSERT_TRUE(flag == 0 || flag == 1) << flag;
    }
    // One record per frame of play, plus the two idle ones. The clock was seen at some
    // frame of play; every frame takes at least 16 ms after the last picture of READY.
    const long played = static_cast<long>(records.size()) - 2;
    EXPECT_GE(played, FULL_CLOCK - player.lowestClockSeen());
    if (player.beforePlay() != Player::Clock::time_point{}) {
        const auto window = std::chrono::duration_cast<std::chrono::milliseconds>(
            player.resultsSeen() - player.beforePlay());
        EXPECT_LE(played, window.count() / FRAME_MS + 1);
    }
}

}  // namespace

std::string seededScores() {
    std::string text;
    for (int day = 1; day <= 12; ++day) {
        text += "2025-03-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "T20:15:00+01:00 LINE " +
                std::to_string(1000 * day) + " 30 " + std::to_string(100 + day) + " EMPTY\n";
        if (day == 6) text += "half a line from an old crash\n";
    }
    return text;
}

std::string replayFileOf(int mode) { return "replay/replay_0" + std::to_string(mode) + ".bin"; }

std::vector<ReplayRecord> replayRecords(const std::string& bytes) {
    std::vector<ReplayRecord> records;
    for (size_t start = 0; start + REPLAY_RECORD_SIZE <= bytes.size();
         start += REPLAY_RECORD_SIZE) {
        ReplayRecord record;
        for (size_t field = 0; field < RECORD_FIELDS; ++field) {
            const auto low = static_cast<unsigned char>(bytes.at(start + 2 * field));
            const auto high = static_cast<unsigned char>(bytes.at(start + 2 * field + 1));
            record.push_back(low | (high << 8));
        }
        records.push_back(record);
    }
    return records;
}

std::vector<std::pair<SeenCard, SeenCard>> twinsOf(const std::vector<SeenCard>& cards) {
    std::map<std::pair<Face, int>, std::vector<SeenCard>> byLook;
    for (const SeenCard& card : cards) {
        EXPECT_TRUE(card.face == Face::RED || card.face == Face::GREEN || card.face == Face::YELLOW)
            << "card at " << card.x << "," << card.y << " shows " << faceName(card.face);
        EXPECT_TRUE(card.number >= 0 && card.number <= 9) << card.x << "," << card.y;
        byLook[{card.face, card.number}].push_back(card);
    }
    std::vector<std::pair<SeenCard, SeenCard>> twins;
    for (const auto& [look, same] : byLook) {
        EXPECT_EQ(same.size(), 2u) << faceName(look.first) << " " << look.second;
        if (same.size() == 2) twins.emplace_back(same.at(0), same.at(1));
    }
    return twins;
}

std::vector<std::pair<SeenCard, SeenCard>> lineTwins() {
    constexpr int PAIRS = 30;
    std::vector<std::pair<SeenCard, SeenCard>> twins;
    for (int i = 0; i < PAIRS; ++i) {
        const Face face = static_cast<Face>((i / 10) % 3);
        const Place a = gridPlace(i);
        const Place b = gridPlace(i + PAIRS);
        twins.push_back({{a.x, a.y, i % 10, face}, {b.x, b.y, i % 10, face}});
    }
    return twins;
}

void takeStillPairsChecked(Player& player,
                           const std::vector<std::pair<SeenCard, SeenCard>>& pairs) {
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto& [a, b] = pairs.at(k);
        if (k + 1 == pairs.size()) {
            std::this_thread::sleep_for(BOARD_SETTLES);
            const Image shot = player.lookAway();
            for (size_t done = 0; done < k; ++done) {
                for (const SeenCard& taken : {pairs.at(done).first, pairs.at(done).second}) {
                    EXPECT_TRUE(isEmptyPlace(shot, taken.x, taken.y))
                        << "taken card still at " << taken.x << "," << taken.y;
                }
            }
            for (const SeenCard& left : {a, b}) {
                EXPECT_EQ(numberOnCard(shot, left.x, left.y).value_or(-1), left.number);
                EXPECT_EQ(faceOfCard(shot, left.x, left.y), left.face);
            }
        }
        if (!player.takeStillPair(placeOf(a), placeOf(b))) {
            ADD_FAILURE() << "pair " << k << " at " << a.x << "," << a.y << " and " << b.x << ","
                          << b.y << " was not taken";
            return;
        }
    }
}

FinishedGame finishWithRecord(GameProcess& game, Player& player, int mode,
                              std::chrono::milliseconds resultsTimeout, bool expectReplay) {
    FinishedGame finished;
    expectResultsScreen(player, player.waitForResults(resultsTimeout), finished);
    const Image title = player.leaveResults();
    expectOneNewScoresLine(mode, finished.score);

    EXPECT_EQ(readFile("config.ini"), configText(0, mode, finished.score));
    expectTitleBests(title, mode, finished.score);
    if (expectReplay) {
        finished.replay = readFile(replayFileOf(mode));
        expectReplayOfTheGame(player, finished.replay);
    } else {
        EXPECT_FALSE(std::filesystem::exists(replayFileOf(mode)));
    }
    expectScoresScreen(game, player, mode, finished.score);

    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    return finished;
}

void GameOnDisplay::SetUp() {
    ASSERT_TRUE(needsX());
    writeFile("config.ini", configText());
}

FinishedGame playLineToARecord(bool expectReplay) {
    writeFile(SCORES_FILE, seededScores());
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);
    takeStillPairsChecked(player, lineTwins());
    if (::testing::Test::HasFailure()) throw std::runtime_error("a LINE pair would not go");
    return finishWithRecord(game, player, MODE_LINE, 5s, expectReplay);
}
