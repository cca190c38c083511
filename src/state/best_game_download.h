// The scores screen's line that hands a mode's best game to the player, where the platform
// can (a page's download); the desktop's watch files already lie in its replay folder.
#pragma once

#include <cstdint>

// Whether the line is shown for mode: the platform hands files over and the mode has a
// watch file.
bool bestGameOffered(int32_t mode);
// Whether the logical point (x, y) lies on the line.
bool onDownloadLine(int32_t x, int32_t y);
// Draws "D: DOWNLOAD BEST GAME" below the keys' hint.
void drawDownloadLine();
