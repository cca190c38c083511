// One short line per mode saying how its board differs, shown under the title's panel.
#pragma once

#include <cstdint>
#include <string>

// The line of a menu mode (LINE .. REVERSE); "" for any other mode. Called by the title's
// draw for the highlighted row.
std::string boardLine(int32_t mode);
