// Start-up defaults and locked read-change-write of "config.ini".
#include "config/config_store.h"

#include <algorithm>
#include <exception>

#include "config/config_file.h"
#include "config/mode_table.h"
#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace config_store {
namespace {

// Written in this order when the file does not exist: every best 0, then the stars.
void setDefaults(ConfigParser& parser) {
    parser.clear();
    for (int32_t mode = 0; mode < MODE_COUNT; ++mode) parser.setInt(hiScoreKey(mode), 0);
    parser.setInt(HOSHI_KEY, 1);
    parser.setInt(SELECT_HOSHI_KEY, 0);
}

// Fills parser from name, or with the defaults when name does not exist; true when read.
bool readOrDefault(ConfigParser& parser, const std::string& name) {
    if (config_file::isMissing(name)) {
        setDefaults(parser);
        return false;
    }
    parser.load(name);
    return true;
}

}  // namespace

bool loadOrCreate(ConfigParser& parser, const std::string& name) {
    const safe_file::Lock lock(name);
    if (readOrDefault(parser, name)) return true;
    try {
        parser.save(name);
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
    return false;
}

bool update(const std::string& name, const std::function<bool(ConfigParser&)>& change) {
    const safe_file::Lock lock(name);
    ConfigParser onDisk;
    try {
        readOrDefault(onDisk, name);
        if (!change(onDisk)) return false;
        onDisk.save(name);
        return true;
    } catch (const std::exception& e) {
        Tolm_logError(e);
        return false;
    }
}

std::optional<int32_t> readInt(const std::string& name, const std::string& key) {
    if (config_file::isMissing(name)) return std::nullopt;
    try {
        ConfigParser parser;
        parser.load(name);
        return intOrZero(parser, key);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

int32_t intOrZero(ConfigParser& parser, const std::string& key) {
    const std::vector<std::string>& keys = parser.getKeys();
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return 0;
    return parser.getInt(key);
}

}  // namespace config_store
