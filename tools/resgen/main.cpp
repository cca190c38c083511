// resgen: writes the game's whole resource tree (pictures, font, sounds, music) under a root.
//
// Usage: resgen <output-root>. Everything is generated from code with fixed seeds, so two
// runs write the same bytes; the committed resource/ tree is this program's output.
#include <exception>
#include <filesystem>
#include <iostream>

#include "font.h"
#include "resources.h"

namespace fs = std::filesystem;

namespace {

// Stream serials of the two Ogg files; fixed so the files never change between runs.
constexpr int GAME_MUSIC_SERIAL = 0x4B4F5256;  // "KORV"
constexpr int JINGLE_SERIAL = 0x4B4F5257;
constexpr float VORBIS_QUALITY = 0.4f;

void writePictures(const fs::path& root) {
    using namespace resgen;
    writeBmp(root / "ico.bmp", makeIcon());
    writeBmp(root / "font" / "font.bmp", makeFontSheet());
    writeBmp(root / "image" / "logo.bmp", makeLogo());
    writeBmp(root / "image" / "tama.bmp", makeTama());
    writeBmp(root / "image" / "menu.bmp", makeMenu());
}

void writeSounds(const fs::path& sound) {
    using namespace resgen;
    writeWav(sound / "select.wav", makeSelectSound());
    writeWav(sound / "l1.wav", makeGetSound());
    writeWav(sound / "puwa.wav", makeCancelSound());
    writeWav(sound / "damage.wav", makeMissSound());
    writeWav(sound / "destroy2.wav", makeDestroySound());
    writeWav(sound / "clear.wav", makePowerUpSound());
    writeOgg(sound / "bgm_mogmog.ogg", makeGameMusic(), GAME_MUSIC_SERIAL, VORBIS_QUALITY);
    writeOgg(sound / "results.ogg", makeResultsJingle(), JINGLE_SERIAL, VORBIS_QUALITY);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: resgen <output-root>\n";
        return 2;
    }
    try {
        const fs::path root = fs::path(argv[1]) / "resource";
        for (const char* dir : {"font", "image", "sound"}) fs::create_directories(root / dir);
        writePictures(root);
        writeSounds(root / "sound");
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
