// The seven best scores of "config.ini", read the one way that the title, the scores
// screen and the playing scene share.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/mode_table.h"

// Indexed by mode, 0..MODE_COUNT-1.
using BestScores = std::array<int32_t, MODE_COUNT>;

namespace best_scores {

// Called by the title, the scores screen and the playing scene when they start. Never
// throws, and never changes a file that exists:
// - a missing file is created with the defaults first, under the lock (every best 0);
// - a key that is missing reads as 0;
// - a value that is not a plain number reads as 0, and its error is logged;
// - a file that exists but cannot be read gives every best 0, and its error is logged.
// A record is saved later only where the best on disk can be read (config_store::update),
// so a file or value that could not be read is left for the player to mend.
BestScores read(const std::string& name);

}  // namespace best_scores
