// Temporary working folders for tests that touch run.log, config.ini or replays.
#include "support/scratch.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchDir::ScratchDir(bool withResources) : previous(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir = pattern;
    if (withResources) fs::create_directory_symlink(sourceDir() / "resource", dir / "resource");
    fs::create_directory(dir / "replay");
    fs::current_path(dir);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

fs::path sourceDir() { return KORVANE_SOURCE_DIR; }
