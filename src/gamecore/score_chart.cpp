// The bar chart of last scores: its scale and its drawing.
#include "gamecore/score_chart.h"

#include <algorithm>

#include "tolm2/tolm2.h"

namespace {

struct Colour {
    int r, g, b;
};
constexpr Colour FIELD{0, 0, 40};
constexpr Colour BASELINE{120, 120, 160};
constexpr Colour BAR{150, 200, 255};
constexpr Colour BEST{255, 255, 0};
constexpr Colour THIS_GAME{100, 255, 100};
constexpr int32_t BAR_GAP = 1;

void fill(int32_t x, int32_t y, int32_t w, int32_t h, Colour c) {
    Tolm_drawBox(x, y, w, h, 0, 0.0f, c.r, c.g, c.b, 255);
}

}  // namespace

std::vector<int32_t> chartBarHeights(const std::vector<int32_t>& scores, int32_t height) {
    std::vector<int32_t> heights(scores.size(), 0);
    const int32_t top = scores.empty() ? 0 : *std::max_element(scores.begin(), scores.end());
    if (top <= 0 || height <= 0) return heights;
    std::transform(scores.begin(), scores.end(), heights.begin(), [&](int32_t score) {
        return static_cast<int32_t>(int64_t{std::max(score, 0)} * height / top);
    });
    return heights;
}

int32_t chartBestIndex(const std::vector<int32_t>& scores) {
    if (scores.empty()) return -1;
    return static_cast<int32_t>(std::max_element(scores.begin(), scores.end()) - scores.begin());
}

void drawScoreChart(const std::vector<int32_t>& scores, const ChartArea& area,
                    int32_t highlighted) {
    fill(area.x, area.y, area.width, area.height, FIELD);
    fill(area.x, area.y + area.height - 1, area.width, 1, BASELINE);
    if (scores.empty()) return;
    const int32_t count = static_cast<int32_t>(scores.size());
    const int32_t slot = std::max(area.width / count, 1);
    const int32_t barWidth = std::max(slot - BAR_GAP, 1);
    const std::vector<int32_t> heights = chartBarHeights(scores, area.height - 2);
    const int32_t best = chartBestIndex(scores);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t h = std::max(heights.at(static_cast<size_t>(i)), 1);
        const Colour colour = i == highlighted ? THIS_GAME : i == best ? BEST : BAR;
        const int32_t x = area.x + i * slot;
        fill(x, area.y + area.height - 1 - h, barWidth, h, colour);
        // The best keeps a yellow cap even when it is the highlighted game.
        if (i == best) fill(x, std::max(area.y, area.y + area.height - 4 - h), barWidth, 2, BEST);
    }
}
