// "config.ini" shared safely: defaults only for a missing file, and changes made under a lock.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "config/config_parser.h"

namespace config_store {

// The title scene and the playing scene at start-up: loads name into parser. A file that
// does not exist gets the title's defaults (every best 0, then HOSHI 1 and SELECT_HOSHI 0),
// written under the lock; a failed write is logged and the defaults stay in parser.
// Returns whether the file was read. A file that exists but cannot be read throws its
// TolmError ("Cannot open file '<name>': <reason>") and is left as it was.
bool loadOrCreate(ConfigParser& parser, const std::string& name);

// The playing scene after a game, and any other writer of one key: under an flock on a
// lock file beside name, reads name again (defaults when it is missing), lets change edit
// the pairs as they are now on disk, and saves them only when change returns true, so
// that every key another copy of the game saved meanwhile is kept. Returns whether the
// file was saved; a read or write that fails is logged and leaves the file as it was.
bool update(const std::string& name, const std::function<bool(ConfigParser&)>& change);

// The scene loop at start-up, for one setting: the integer under key in name as it is now
// (0 when the key is absent), or nothing when name is missing, cannot be read or holds a
// value of the wrong form. Saves replace the file whole, so no lock is needed; never throws.
std::optional<int32_t> readInt(const std::string& name, const std::string& key);

// The integer under key, 0 when the key is absent. Throws the parser's error for a value
// of the wrong form.
int32_t intOrZero(ConfigParser& parser, const std::string& key);

}  // namespace config_store
