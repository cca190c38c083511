// A throw-away working directory for one test, with the game's resource tree linked in.
#pragma once

#include <filesystem>
#include <string>

// Makes a fresh temporary folder, links "resource" to the repository's tree, makes an
// empty "replay" folder and changes into it; the destructor changes back and removes it.
class ScratchDir {
public:
    explicit ScratchDir(bool withResources = true);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return dir; }

private:
    std::filesystem::path dir;
    std::filesystem::path previous;
};

// Whole file as bytes; "" when missing.
std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);
// The repository root (where "resource/" lives).
std::filesystem::path sourceDir();
