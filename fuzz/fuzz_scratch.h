// A private working folder for a fuzzer process, on a RAM disk when there is one.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz_scratch {

// Makes a fresh folder, changes into it and removes it at exit; aborts if it cannot.
inline void enter() {
    namespace fs = std::filesystem;
    const fs::path base = fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    static std::string dir;
    dir = (base / "korvane-fuzz-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    fs::current_path(dir);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    });
}

// Writes bytes to name, replacing it; aborts on failure, which is the harness's fault.
inline void writeBytes(const char* name, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) ||
        std::fclose(file) != 0) {
        std::perror(name);
        std::abort();
    }
}

}  // namespace fuzz_scratch
