// The pages of the how-to-play screen: pairs and points, combos, the end and the controls.
#pragma once

#include <cstdint>

inline constexpr int32_t HELP_PAGES = 3;

// Draws page 0..HELP_PAGES - 1 inside the screen's panel; called by the screen's draw after
// the 2D set-up and the panel, with "tama" loaded. Throws TolmError for another page.
void drawHelpPage(int32_t page);
