// Makers of every resource file; main.cpp writes what they return.
#pragma once

#include "audio.h"
#include "bitmap.h"

namespace resgen {

// Pictures (icons.cpp, pictures.cpp, tama.cpp).
// The icon, opaque, size x size: "resource/ico.bmp" at 32, the desktop icons at every size.
Canvas makeIcon(int size);
Canvas makeLogo();   // "resource/image/logo.bmp": 512 x 512, logo in the top-left 320 x 320
Canvas makeMenu();   // "resource/image/menu.bmp": 256 x 256
Canvas makeTama();   // "resource/image/tama.bmp": 256 x 256, the playing scene's pictures

// Sound effects (sounds.cpp), each well under a second.
Mono makeSelectSound();
Mono makeGetSound();
Mono makeCancelSound();
Mono makeMissSound();
Mono makeDestroySound();
Mono makePowerUpSound();

// Music (music.cpp).
Stereo makeGameMusic();     // loops seamlessly: a whole number of bars, tails wrapped round
Stereo makeResultsJingle();

}  // namespace resgen
