// resgen: writes the game's whole resource tree (pictures, font, sounds, music) under a root.
//
// Usage: resgen <output-root>, or resgen --icons <icon-root> for the desktop icons as
// <icon-root>/<size>x<size>/apps/korvane.png (the layout of an icon theme). Everything is
// generated from code with fixed seeds, so two runs write the same bytes; the committed
// resource/ tree is this program's output.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "font.h"
#include "png_writer.h"
#include "resources.h"

namespace fs = std::filesystem;

namespace {

// Stream serials of the two Ogg files; fixed so the files never change between runs.
constexpr int GAME_MUSIC_SERIAL = 0x4B4F5256;  // "KORV"
constexpr int JINGLE_SERIAL = 0x4B4F5257;
constexpr float VORBIS_QUALITY = 0.4f;
constexpr int WINDOW_ICON_SIZE = 32;
// The sizes desktops look for in the hicolor icon theme.
constexpr int DESKTOP_ICON_SIZES[] = {32, 48, 64, 128, 256};

void writePictures(const fs::path& root) {
    using namespace resgen;
    writeBmp(root / "ico.bmp", makeIcon(WINDOW_ICON_SIZE));
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

void writeDesktopIcons(const fs::path& root) {
    for (const int size : DESKTOP_ICON_SIZES) {
        const std::string side = std::to_string(size);
        const fs::path apps = root / (side + "x" + side) / "apps";
        fs::create_directories(apps);
        resgen::writePng(apps / "korvane.png", resgen::makeIcon(size));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "usage: resgen <output-root> | resgen --icons <icon-root>\n";
        return 2;
    }
    try {
        if (icons) {
            writeDesktopIcons(argv[2]);
            return 0;
        }
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
