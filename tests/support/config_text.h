// config.ini texts the tests write and expect, laid out as the config writer lays them.
#pragma once

#include <string>

// Every best at best except mode's (0..6), which is modeBest, then HOSHI 1 and
// SELECT_HOSHI 0. configText() is the file the title writes when there is none.
std::string configText(long best = 0, int mode = -1, long modeBest = 0);
