// How each mode's board differs, in words short enough for one line under the title's panel.
#include "state/board_lines.h"

#include "config/mode_table.h"
#include "gamecore/game_main.h"

std::string boardLine(int32_t mode) {
    const std::string faceDown =
        "FACE DOWN AFTER " + std::to_string(FADE_LIFE / FRAMES_PER_SECOND) + " SECONDS";
    switch (mode) {
        case MODE_LINE: return "CARDS IN ORDER ON A GRID";
        case MODE_SHUFFLE: return "CARDS SHUFFLED ON A GRID";
        case MODE_MEMORY: return "SHUFFLED GRID. " + faceDown;
        case MODE_SQUARE: return "CARDS SCATTERED";
        case MODE_MIXER: return "CARDS DRIFT AND BOUNCE";
        case MODE_REVERSE: return "SCATTERED. " + faceDown;
        default: return "";
    }
}
