// The game the next playing scene is to watch, from the entry or the title to the scene loop.
#pragma once

#include <optional>
#include <string>

#include "keypad/watch_file.h"

// Called by the entry for "-watch FILE" and by the title for a right click on a mode row:
// reads file and keeps it for the scene loop. A file that cannot be watched (missing,
// truncated, of an unknown version, with a wrong CRC, a mode outside 0..6 ...) is logged
// as one line "Watch <file>: <fault>" and nothing is kept; the result is then false.
bool requestWatch(const std::string& file);
// Whether a game waits to be watched; the logo asks as it ends.
bool watchRequested();
// Called by the scene loop on MSG_WATCH: the waiting game, handed over once.
std::optional<WatchedGame> takeWatchRequest();
