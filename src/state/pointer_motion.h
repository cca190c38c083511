// Whether the pointer moved since a scene last looked: the menus let the keys keep the
// highlight until the pointer really moves.
#pragma once

#include <cstdint>

#include "tolm2/tolm2.h"

class PointerMotion {
public:
    // Called by a menu scene once a frame, before it reads the pointer: true when the
    // pointer stands elsewhere than at the last call (always at the first).
    bool moved() {
        const int32_t x = Tolm_mouseX();
        const int32_t y = Tolm_mouseY();
        const bool changed = x != lastX || y != lastY;
        lastX = x;
        lastY = y;
        return changed;
    }

private:
    int32_t lastX = -1;
    int32_t lastY = -1;
};
