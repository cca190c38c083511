// A watched game checked by its rules alone: no window, sound, resource files or config.
#pragma once

#include "gamecore/watch_verdict.h"
#include "keypad/watch_file.h"

// Called by korvane-verify for each file it read, and by benchmarks. Plays the recorded
// game to its end exactly as the watching scene does, step for step, but loads no picture
// or sound, plays none, reads and writes no file, and logs nothing (the log is silent
// while it runs). Needs neither Tolm_init nor a display. Throws TolmError when the rules
// do (a table index out of range) or, should the game never end, "<file>: the game did
// not end".
WatchVerdict verifyWatch(const WatchedGame& watched);
