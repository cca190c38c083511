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

// One pass keeping the ten best so far: an entry goes in after every kept one scoring at
// least as much, so among equal scores the older stays in front.
std::vector<ScoreLine> topTen(const ModeScores& scores) {
    std::vector<ScoreLine> ranked;
    const auto consider = [&ranked](const ScoreLine& entry) {
        if (ranked.size() == TOP_TEN && ranked.back().score >= entry.score) return;
        const auto place = std::upper_bound(
            ranked.begin(), ranked.end(), entry.score,
            [](int32_t score, const ScoreLine& kept) { return score > kept.score; });
        ranked.insert(place, entry);
        if (ranked.size() > TOP_TEN) ranked.pop_back();
    };
    if (scores.undatedBest) consider(*scores.undatedBest);
    for (const ScoreLine& game : scores.games) consider(game);
    return ranked;
}

size_t rankOf(const ModeScores& scores, int32_t score) {
    const auto higher = [score](const ScoreLine& game) { return game.score > score; };
    const size_t ahead =
        static_cast<size_t>(std::count_if(scores.games.begin(), scores.games.end(), higher));
    return 1 + ahead + (scores.undatedBest && higher(*scores.undatedBest) ? 1 : 0);
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
