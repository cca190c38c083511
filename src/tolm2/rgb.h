// An opaque colour as the scenes name their text and box colours: red, green, blue, 0..255.
#pragma once

struct Rgb {
    int r, g, b;
};
