// The seven best scores of "config.ini": read or created, every fault logged, never thrown.
#include "config/best_scores.h"

#include <exception>

#include "config/config_parser.h"
#include "config/config_store.h"
#include "tolm2/tolm2.h"

namespace best_scores {

BestScores read(const std::string& name) {
    BestScores bests{};
    ConfigParser parser;
    try {
        config_store::loadOrCreate(parser, name);
    } catch (const std::exception& e) {
        Tolm_logError(e);
        return bests;
    }
    for (int32_t mode = 0; mode < MODE_COUNT; ++mode) {
        try {
            bests.at(static_cast<size_t>(mode)) = config_store::intOrZero(parser, hiScoreKey(mode));
        } catch (const std::exception& e) {
            Tolm_logError(e);
        }
    }
    return bests;
}

}  // namespace best_scores
