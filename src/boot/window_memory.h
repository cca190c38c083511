// The window a run starts with, from the command line and the saved options, and the
// window kept for the next run.
#pragma once

#include "boot/command_line.h"
#include "config/saved_options.h"

// The entry, before the framework starts: the saved window size, full screen and 4:3
// choice where the command line says nothing of them ("-keep-aspect" only turns it on).
CommandLine withSavedWindow(CommandLine line, const SavedOptions& saved);

// The entry, at the end of a run that opened its window: saves the window's size (when not
// full screen) and whether it is full screen where they differ from what "config.ini"
// says now (640 x 480 in a window when the keys are absent). A run whose size or mode came
// from the command line, or that ends with no "config.ini" at all, saves nothing. A failed
// save is logged only.
void rememberWindow(const CommandLine& line);
