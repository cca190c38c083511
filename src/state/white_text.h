// Text in the scenes' plain opaque white.
#pragma once

#include <cstdint>
#include <string>

// Called by the title and the scores screen while they draw: text as Tolm_drawText draws
// it, in white.
void drawWhite(const std::string& text, int32_t x, int32_t y, float scale);
