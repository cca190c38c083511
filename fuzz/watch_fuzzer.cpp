// Fuzzes watch files: arbitrary bytes are either refused by name or read back exactly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_scratch.h"
#include "keypad/watch_file.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* INPUT_FILE = "input.watch";

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "watch fuzzer: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_scratch::enter();
    return 0;
}

// A file that loads holds nothing the format cannot say again: encoding what was read
// gives the same bytes. A refusal names the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz_scratch::writeBytes(INPUT_FILE, data, size);
    try {
        const WatchRecord record = loadWatchFile(INPUT_FILE);
        check(record.mode >= 0 && record.mode < MODE_COUNT, "mode out of range");
        check(encodeWatch(record) == bytes, "read back differently");
    } catch (const TolmError& e) {
        check(std::string(e.what()).rfind(std::string("Watch ") + INPUT_FILE + ": ", 0) == 0,
              "refusal does not name the file");
    }
    return 0;
}
