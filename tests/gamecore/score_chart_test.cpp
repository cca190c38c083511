// The scale of the last-scores chart at its edges.
#include <gtest/gtest.h>

#include "gamecore/score_chart.h"

namespace {

TEST(ScoreChart, ScalesFromZeroToTheBestWithoutOverflow) {
    const struct {
        std::vector<int32_t> scores;
        std::vector<int32_t> heights;
        int32_t best;
    } cases[] = {
        {{}, {}, -1},
        {{5000}, {68}, 0},
        {{300, 300, 300}, {68, 68, 68}, 0},
        {{0, 0}, {0, 0}, 0},
        {{2147483647, 2147483646, 1073741824, 0}, {68, 67, 34, 0}, 0},
        {{100, 400, 200, 400}, {17, 68, 34, 68}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chartBarHeights(c.scores, 68), c.heights) << c.scores.size();
        EXPECT_EQ(chartBestIndex(c.scores), c.best) << c.scores.size();
    }
}

}  // namespace
