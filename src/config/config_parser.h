// Reader and writer of key = value files such as "config.ini".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline constexpr const char* CONFIG_FILE = "config.ini";

// Holds the pairs of one file as text and converts them strictly on request.
// Every failure throws TolmError with the exact message text. The title and playing
// scenes each make their own parser; it keeps no file open between calls.
class ConfigParser {
public:
    ConfigParser() = default;
    virtual ~ConfigParser() = default;

    virtual void clear();
    // Replaces the contents by the pairs of file name. Throws TolmError
    // ("Cannot open file '<name>': <reason>" or "Cannot read file '<name>': <reason>") when the file cannot
    // be read; the parser is then empty and remembers name for save("").
    virtual void load(const std::string& name);
    // Throws the checkKey error for a missing key; the typed getters also throw the
    // parser's error for a value of the wrong form.
    virtual std::string getString(const std::string& key);
    virtual int32_t getInt(const std::string& key);
    virtual double getFloat(const std::string& key);
    virtual bool getBool(const std::string& key);
    // A new key goes to the end of the key order; an existing one keeps its place.
    virtual void setString(const std::string& key, const std::string& value);
    virtual void setInt(const std::string& key, int32_t value);
    virtual void setFloat(const std::string& key, float value);
    virtual void setBool(const std::string& key, bool value);
    // Writes every pair as "key = value\n" in first-insertion order to name (empty: the
    // name of the last load; a symbolic link stays a link and its target is replaced). The
    // old file is replaced whole or not at all: on failure
    // it throws "Cannot write file '<name>'", the old file is untouched and no temporary
    // file is left behind.
    virtual void save(const std::string& name);
    // Whether the file's last-access time is not later than at the last load. Throws
    // "Cannot open file '<name>': <reason>" when the file is missing.
    virtual bool isLatest();
    virtual void reload();
    // Prints every pair to standard output, in key order.
    virtual void dump();

    // Throws "ConfigParser.checkKey(): not exist key ... '<key>'" for a missing key.
    void checkKey(const std::string& key) const;
    // Strict conversions; key only names the value in the error.
    static int32_t parseInt(const std::string& key, const std::string& value);
    static double parseFloat(const std::string& key, const std::string& value);
    static bool parseBool(const std::string& key, const std::string& value);

    const std::vector<std::string>& getKeys() const { return keys; }
    const std::string& getFileName() const { return fileName; }

private:
    void parseLine(const std::string& line);

    std::vector<std::string> keys;
    std::map<std::string, std::string> entries;
    std::string fileName;
    int64_t loadStamp = 0;
};
