// Reading the options and the window from "config.ini", and saving one option.
#include "config/saved_options.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "config/config_file.h"
#include "config/config_store.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t LARGEST_WINDOW_SIDE = 16384;

struct Range {
    int32_t low, high;
    const char* text;
};
constexpr Range LEVEL{0, 10, "0 to 10"};
constexpr Range SWITCH{0, 1, "0 or 1"};
constexpr Range SIDE{1, LARGEST_WINDOW_SIDE, "1 to 16384"};

bool inRange(const std::string& value, const Range& range) {
    if (value.empty() || value.size() > 5) return false;
    if (!std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const int32_t number = ConfigParser::parseInt("", value);
    return number >= range.low && number <= range.high;
}

// The value under key when it lies in range; fallback (and a log line when asked) for
// one that does not; fallback quietly for an absent key.
int32_t valueIn(ConfigParser& parser, const char* key, const Range& range, int32_t fallback,
                bool logFaults) {
    const std::vector<std::string>& keys = parser.getKeys();
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return fallback;
    const std::string value = parser.getString(key);
    if (inRange(value, range)) return ConfigParser::parseInt(key, value);
    if (logFaults) {
        Tolm_log("%s: %s = '%s' is not %s; read as %d\n", parser.getFileName().c_str(), key,
                 value.c_str(), range.text, fallback);
    }
    return fallback;
}

}  // namespace

SavedOptions optionsIn(ConfigParser& parser, bool logFaults) {
    SavedOptions options;
    const auto read = [&parser, logFaults](const char* key, const Range& range, int32_t fallback) {
        return valueIn(parser, key, range, fallback, logFaults);
    };
    options.musicVolume = read(MUSIC_VOLUME_KEY, LEVEL, options.musicVolume);
    options.effectsVolume = read(EFFECTS_VOLUME_KEY, LEVEL, options.effectsVolume);
    options.fullScreen = read(FULLSCREEN_KEY, SWITCH, 0) == 1;
    options.keepAspect = read(KEEP_ASPECT_KEY, SWITCH, 0) == 1;
    options.windowWidth = read(WINDOW_WIDTH_KEY, SIDE, options.windowWidth);
    options.windowHeight = read(WINDOW_HEIGHT_KEY, SIDE, options.windowHeight);
    return options;
}

SavedOptions readSavedOptions(const std::string& name, bool logFaults) {
    if (config_file::isMissing(name)) return {};
    try {
        ConfigParser parser;
        parser.load(name);
        return optionsIn(parser, logFaults);
    } catch (const std::exception&) {
        return {};
    }
}

void saveOption(const std::string& name, const std::string& key, int32_t value) {
    config_store::update(name, [&key, value](ConfigParser& onDisk) {
        onDisk.setInt(key, value);
        return true;
    });
}
