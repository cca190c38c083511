// Text in the scenes' plain opaque white.
#include "state/white_text.h"

#include "tolm2/font.h"

void drawWhite(const std::string& text, int32_t x, int32_t y, float scale) {
    Tolm_drawText(text, x, y, scale, 255, 255, 255, 255);
}
