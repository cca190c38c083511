// ConfigParser: the pairs in memory, the line format of the file, and dump.
#include "config/config_parser.h"

#include <cstdio>

#include "config/config_file.h"
#include "tolm2/tolm2.h"

namespace {

bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isWhiteSpace(text[begin])) ++begin;
    while (end > begin && isWhiteSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

void ConfigParser::clear() {
    keys.clear();
    entries.clear();
}

void ConfigParser::load(const std::string& name) {
    clear();
    fileName = name;  // before reading: save("") after a failed load writes this file
    const std::string bytes = config_file::readAll(name);
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        parseLine(bytes.substr(start, end - start));
        start = end + 1;
    }
    loadStamp = config_file::accessStamp(name);
}

// key = value [= ignored] [# comment]; a line without "=" stores nothing.
void ConfigParser::parseLine(const std::string& line) {
    const std::string text = line.substr(0, line.find('#'));
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return;
    const size_t valueEnd = text.find('=', equals + 1);
    const std::string value = valueEnd == std::string::npos
                                  ? text.substr(equals + 1)
                                  : text.substr(equals + 1, valueEnd - equals - 1);
    setString(trim(text.substr(0, equals)), trim(value));
}

std::string ConfigParser::getString(const std::string& key) {
    checkKey(key);
    return entries.at(key);
}

int32_t ConfigParser::getInt(const std::string& key) { return parseInt(key, getString(key)); }

double ConfigParser::getFloat(const std::string& key) { return parseFloat(key, getString(key)); }

bool ConfigParser::getBool(const std::string& key) { return parseBool(key, getString(key)); }

void ConfigParser::setString(const std::string& key, const std::string& value) {
    if (entries.find(key) == entries.end()) keys.push_back(key);
    entries[key] = value;
}

void ConfigParser::setInt(const std::string& key, int32_t value) {
    setString(key, std::to_string(value));
}

void ConfigParser::setFloat(const std::string& key, float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    setString(key, text);
}

void ConfigParser::setBool(const std::string& key, bool value) {
    setString(key, value ? "true" : "false");
}

void ConfigParser::save(const std::string& name) {
    std::string bytes;
    for (const std::string& key : keys) {
        bytes += key;
        bytes += " = ";
        bytes += entries.at(key);
        bytes += '\n';
    }
    config_file::replaceAtomically(name.empty() ? fileName : name, bytes);
}

bool ConfigParser::isLatest() { return loadStamp >= config_file::accessStamp(fileName); }

void ConfigParser::reload() { load(fileName); }

void ConfigParser::dump() {
    std::printf("{\n");
    for (const auto& [key, value] : entries) {
        std::printf("  \"%.*s\" : \"%.*s\",\n", static_cast<int>(key.size()), key.data(),
                    static_cast<int>(value.size()), value.data());
    }
    std::printf("}\n");
}

void ConfigParser::checkKey(const std::string& key) const {
    if (entries.find(key) == entries.end()) {
        throw TolmError("ConfigParser.checkKey(): not exist key ... '" + key + "'");
    }
}
