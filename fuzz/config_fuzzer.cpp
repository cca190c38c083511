// Fuzzes ConfigParser with arbitrary file bytes: load, typed gets, and a save/reload round trip.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/config_parser.h"
#include "fuzz_scratch.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* INPUT_FILE = "input.ini";
constexpr const char* SAVED_FILE = "saved.ini";

void fail(const char* what, const std::string& key) {
    std::fprintf(stderr, "config fuzzer: %s (key of %zu bytes)\n", what, key.size());
    std::abort();
}

// Every conversion either answers or throws TolmError; nothing else may escape.
void convertAll(ConfigParser& parser) {
    for (const std::string& key : parser.getKeys()) {
        try {
            parser.getInt(key);
        } catch (const TolmError&) {
        }
        try {
            parser.getFloat(key);
        } catch (const TolmError&) {
        }
        try {
            parser.getBool(key);
        } catch (const TolmError&) {
        }
    }
}

// What a load produced must survive a save and a second load unchanged.
void checkRoundTrip(ConfigParser& parser) {
    parser.save(SAVED_FILE);
    ConfigParser again;
    again.load(SAVED_FILE);
    if (again.getKeys() != parser.getKeys()) fail("keys changed by save and load", "");
    for (const std::string& key : parser.getKeys()) {
        if (again.getString(key) != parser.getString(key)) fail("value changed", key);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_scratch::enter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_scratch::writeBytes(INPUT_FILE, data, size);
    ConfigParser parser;
    parser.load(INPUT_FILE);
    if (parser.getFileName() != INPUT_FILE) fail("file name not kept", "");
    convertAll(parser);
    checkRoundTrip(parser);
    return 0;
}
