// Checks shared by the game and mode tests: the way from the results back to the title,
// and what a record leaves in config.ini and the replay folder.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "player.h"
#include "support/config_text.h"
#include "support/needs.h"
#include "support/scratch.h"

// A test of the real game on the X display, in a scratch folder whose config.ini has
// every best at 0.
class GameOnDisplay : public ::testing::Test {
protected:
    void SetUp() override;
    ScratchDir scratch;
};

// scores.txt as playLineToARecord starts it: a dozen LINE games of 1000..12000 played on
// 2025-03-01..12, and a garbage line between them.
std::string seededScores();

std::string replayFileOf(int mode);

inline constexpr size_t REPLAY_RECORD_SIZE = 24;  // bytes
// One frame record of a replay file: its twelve 16-bit flags.
using ReplayRecord = std::vector<int>;
std::vector<ReplayRecord> replayRecords(const std::string& bytes);

// Cards of a board that pair up as the same card twice (same colour and number). Fails
// the test when a card has no twin or any card could not be read.
std::vector<std::pair<SeenCard, SeenCard>> twinsOf(const std::vector<SeenCard>& cards);

// LINE as laid out: card i is the same card as card i + 30.
std::vector<std::pair<SeenCard, SeenCard>> lineTwins();

// Takes pairs in order with the still-card clicks and, before the last one, waits for
// the take animations to end and checks that every place taken so far shows empty
// board while the last two cards still show. Fails the test on a pair that would not go.
void takeStillPairsChecked(Player& player, const std::vector<std::pair<SeenCard, SeenCard>>& pairs);

struct FinishedGame {
    long score = 0;
    std::string replay;  // the replay file's bytes; empty when it was not written
};

// From the end of a game that set a record (every best was 0) back to the title:
// the results screen with the score and " NEW RECORD ", the exit prompt, the click, the
// title with the new best in the mode's row; config.ini holding only that change; the
// replay file whole records, all-zero at both ends, as many frames as the game played;
// "RANK 1" on the results, scores.txt holding what it held plus one line of the game, and
// the title's S showing the mode's scores with the game first and the seeded games below.
// With expectReplay false the replay file must be missing instead.
FinishedGame finishWithRecord(GameProcess& game, Player& player, int mode,
                              std::chrono::milliseconds resultsTimeout, bool expectReplay = true);

// A whole run: through the title into LINE, every pair taken in order, then back through
// the results as finishWithRecord checks, and quit. Throws runtime_error when a pair would
// not go, so the calling test stops there.
FinishedGame playLineToARecord(bool expectReplay = true);
