// The one default config.ini of the tests.
#include "support/config_text.h"

std::string configText(long best, int mode, long modeBest) {
    constexpr int BEST_KEYS = 7;  // HI_SCORE, then HI_SCORE1..6 for the modes 1..6
    std::string text;
    for (int k = 0; k < BEST_KEYS; ++k) {
        const std::string key = k == 0 ? "HI_SCORE" : "HI_SCORE" + std::to_string(k);
        text += key + " = " + std::to_string(k == mode ? modeBest : best) + "\n";
    }
    return text + "HOSHI = 1\nSELECT_HOSHI = 0\n";
}
