// The top ten, ranks, averages and chart scores of one mode's games.
#include "config/score_stats.h"

#include <algorithm>
#include <numeric>

ModeScores scoresOfMode(const std::vector<ScoreLine>& all, int32_t mode, int32_t configBest) {
    ModeScores scores;
    int32_t bestGame = -1;
    for (const ScoreLine& game : all) {
        if (game.mode != mode) continue;
        scores.games.push_back(game);
        bestGame = std::max(bestGame, game.score);
    }
    if (configBest > 0 && configBest > bestGame) {
        ScoreLine undated;
        undated.mode = mode;
        undated.score = configBest;
        scores.undatedBest = undated;
    }
    return scores;
}

std::vector<ScoreLine> topTen(const ModeScores& scores) {
    std::vector<ScoreLine> ranked;
    if (scores.undatedBest) ranked.push_back(*scores.undatedBest);
    ranked.insert(ranked.end(), scores.games.begin(), scores.games.end());
    // Stable: among equal scores the older entry stays in front.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const ScoreLine& a, const ScoreLine& b) { return a.score > b.score; });
    if (ranked.size() > TOP_TEN) ranked.resize(TOP_TEN);
    return ranked;
}

size_t rankOf(const ModeScores& scores, int32_t score) {
    const auto atLeast = [score](const ScoreLine& game) { return game.score >= score; };
    const size_t ahead =
        static_cast<size_t>(std::count_if(scores.games.begin(), scores.games.end(), atLeast));
    return 1 + ahead + (scores.undatedBest && atLeast(*scores.undatedBest) ? 1 : 0);
}

int64_t averageOfLast(const std::vector<ScoreLine>& games, size_t count) {
    const size_t taken = std::min(count, games.size());
    if (taken == 0) return 0;
    const int64_t sum = std::accumulate(
        games.end() - static_cast<std::ptrdiff_t>(taken), games.end(), int64_t{0},
        [](int64_t total, const ScoreLine& game) { return total + game.score; });
    return sum / static_cast<int64_t>(taken);
}

std::vector<int32_t> lastScores(const std::vector<ScoreLine>& games, size_t count) {
    const size_t taken = std::min(count, games.size());
    std::vector<int32_t> scores;
    scores.reserve(taken);
    for (auto it = games.end() - static_cast<std::ptrdiff_t>(taken); it != games.end(); ++it) {
        scores.push_back(it->score);
    }
    return scores;
}
