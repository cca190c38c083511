// Reader and writer of key = value files such as "config.ini".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline constexpr const char* CONFIG_FILE = "config.ini";

// Holds the pairs of one file as text and converts them strictly on request.
// Every failure throws TolmError with the exact message text.
class ConfigParser {
public:
    ConfigParser() = default;
    virtual ~ConfigParser() = default;

    virtual void clear();
    // Replaces the contents by the pairs of file name. Throws TolmError when the file
    // cannot be read; the parser is then empty and remembers name for save("").
    virtual void load(const std::string& name);
    virtual std::string getString(const std::string& key);
    virtual int32_t getInt(const std::string& key);
    virtual double getFloat(const std::string& key);
    virtual bool getBool(const std::string& key);
    virtual void setString(const std::string& key, const std::string& value);
    virtual void setInt(const std::string& key, int32_t value);
    virtual void setFloat(const std::string& key, float value);
    virtual void setBool(const std::string& key, bool value);
    // Writes every pair as "key = value\n" in first-insertion order to name (empty: the
    // name of the last load). The old file is replaced whole or not at all.
    virtual void save(const std::string& name);
    virtual bool isLatest();
    virtual void reload();
    virtual void dump();

    void checkKey(const std::string& key) const;
    static int32_t parseInt(const std::string& key, const std::string& value);
    static double parseFloat(const std::string& key, const std::string& value);
    static bool parseBool(const std::string& key, const std::string& value);

    const std::vector<std::string>& getKeys() const { return keys; }
    const std::string& getFileName() const { return fileName; }

private:
    std::vector<std::string> keys;
    std::map<std::string, std::string> entries;
    std::string fileName;
    int64_t loadStamp = 0;
};
