// What the screens show of one mode's games: the top ten, a game's rank, averages, the chart.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "config/scores_file.h"

inline constexpr size_t TOP_TEN = 10;

// The games of one mode, oldest first, and the best of "config.ini" when no game of the
// file reaches it (before any file, or when a line could not be written): that best
// shows as an undated entry older than every game.
struct ModeScores {
    std::vector<ScoreLine> games;
    std::optional<ScoreLine> undatedBest;
};

// The games of mode among all, with configBest (0 when "config.ini" could not be read)
// as the undated best when it is above 0 and above every game of the mode.
ModeScores scoresOfMode(const std::vector<ScoreLine>& all, int32_t mode, int32_t configBest);

// Up to ten entries, best first; equal scores go to the older game, the undated best first.
std::vector<ScoreLine> topTen(const ModeScores& scores);

// The rank a new game of score takes among scores: 1 + the entries scoring more, so
// equal scores share a rank (a tie with the best is rank 1) while topTen still lists the
// older first.
size_t rankOf(const ModeScores& scores, int32_t score);

// The mean of the last count games (fewer when fewer were played), rounded down; 0 for none.
int64_t averageOfLast(const std::vector<ScoreLine>& games, size_t count);

// The scores of the last count games, oldest first.
std::vector<int32_t> lastScores(const std::vector<ScoreLine>& games, size_t count);
