// ConfigParser's strict conversions of value texts to integers, fractions and booleans.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "config/config_parser.h"
#include "tolm2/tolm2.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Built by concatenation so that every byte of key and value reaches the message.
TolmError notDigit(const std::string& key, const std::string& value) {
    return TolmError("not digit value ... '" + key + "' -> '" + value + "'");
}

}  // namespace

int32_t ConfigParser::parseInt(const std::string& key, const std::string& value) {
    uint32_t number = 0;
    for (const char c : value) {
        if (!isDigit(c)) throw notDigit(key, value);
        number = number * 10u + static_cast<uint32_t>(c - '0');  // wraps past 32 bits
    }
    return static_cast<int32_t>(number);
}

double ConfigParser::parseFloat(const std::string& key, const std::string& value) {
    for (const char c : value) {
        if (!isDigit(c) && c != '.') throw notDigit(key, value);
    }
    // Digits, a point and digits; a second point ends the number (1.2.3 reads as 1.2).
    const size_t secondPoint = value.find('.', value.find('.') + 1);
    const std::string number = value.substr(0, secondPoint);
    if (number.find_first_of("0123456789") == std::string::npos) return 0.0;
    // strtod rather than from_chars, which not every C++ library has for doubles; the
    // program never changes its locale, so the point is the decimal point.
    errno = 0;
    const double result = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE) {
        // Too many digits for a double: huge when any digit before the point is not 0.
        const std::string whole = number.substr(0, number.find('.'));
        const bool huge = whole.find_first_not_of('0') != std::string::npos;
        return huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return result;
}

bool ConfigParser::parseBool(const std::string& key, const std::string& value) {
    if (value == "1" || value == "on" || value == "yes" || value == "true") return true;
    if (value == "0" || value == "no" || value == "off" || value == "false") return false;
    throw TolmError("not boolean value ... '" + key + "' -> '" + value + "'");
}
