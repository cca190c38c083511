// The scale of the last-scores chart at its edges.
#include <gtest/gtest.h>

#include <tuple>

#include "gamecore/score_chart.h"

namespace {

TEST(ScoreChart, ScalesFromZeroToTheBestWithoutOverflow) {
    // Scores, their bar heights in a chart 68 high, and the bar marked best.
    const std::tuple<std::vector<int32_t>, std::vector<int32_t>, int32_t> cases[] = {
        {{}, {}, -1}, {{5000}, {68}, 0}, {{300, 300, 300}, {68, 68, 68}, 0}, {{0, 0}, {0, 0}, 0},
        {{2147483647, 2147483646, 1073741824, 0}, {68, 67, 34, 0}, 0},
        {{100, 400, 200, 400}, {17, 68, 34, 68}, 1}};  // a tie for best: the first
    for (const auto& [scores, heights, best] : cases) {
        SCOPED_TRACE(testing::PrintToString(scores));
        EXPECT_EQ(chartBarHeights(scores, 68), heights);
        EXPECT_EQ(chartBestIndex(scores), best);
    }
}

}  // namespace
