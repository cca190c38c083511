// The yellow arrows at the screen's sides that turn to the previous or next page or mode.
#pragma once

#include <cstdint>

// -1 on the left arrow's area, 1 on the right one's, 0 elsewhere; the areas reach a little
// beyond the drawings. Called by a scene's step with the pointer of a left push.
int32_t sideArrowAt(int32_t x, int32_t y);
// Draws the left arrow, the right one, or both; called by a scene's draw after the 2D set-up.
void drawSideArrows(bool left = true, bool right = true);
