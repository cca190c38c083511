// Start-up defaults and locked read-change-write of "config.ini".
#include "config/config_store.h"

#include <algorithm>
#include <exception>

#include "config/config_file.h"
#include "tolm2/safe_file.h"
#include "tolm2/tolm2.h"

namespace config_store {
namespace {

struct Default {
    const char* key;
    int32_t value;
};
// Written in this order when the file does not exist.
constexpr Default DEFAULTS[] = {
    {"HI_SCORE", 0},  {"HI_SCORE1", 0}, {"HI_SCORE2", 0}, {"HI_SCORE3", 0},    {"HI_SCORE4", 0},
    {"HI_SCORE5", 0}, {"HI_SCORE6", 0}, {"HOSHI", 1},     {"SELECT_HOSHI", 0},
};

void setDefaults(ConfigParser& parser) {
    parser.clear();
    for (const Default& entry : DEFAULTS) parser.setInt(entry.key, entry.value);
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

int32_t intOrZero(ConfigParser& parser, const std::string& key) {
    const std::vector<std::string>& keys = parser.getKeys();
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return 0;
    return parser.getInt(key);
}

}  // namespace config_store
