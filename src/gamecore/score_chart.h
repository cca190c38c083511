// A bar chart of a mode's last scores, shared by the scores screen and the results screen.
#pragma once

#include <cstdint>
#include <vector>

struct ChartArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Bar heights for scores (oldest first) in a chart height pixels high: the highest score
// fills it, the others in proportion from 0, rounded down, in 64-bit so that scores near
// 2^31 do not overflow. All zero when every score is 0 or below.
std::vector<int32_t> chartBarHeights(const std::vector<int32_t>& scores, int32_t height);

// The first (oldest) best score's index, or -1 for no scores: the bar the chart marks.
int32_t chartBestIndex(const std::vector<int32_t>& scores);

// Draws the chart in area, oldest on the left: a dark field, a baseline, one bar per score
// (a 1-pixel stub for a score of 0), the best in yellow and the bar at highlighted (-1 for
// none) in green. Called from a scene's draw; nothing for no scores but the field.
void drawScoreChart(const std::vector<int32_t>& scores, const ChartArea& area,
                    int32_t highlighted);
