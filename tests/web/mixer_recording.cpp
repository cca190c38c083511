// Plays one quick MIXER game on the desktop's rules, taking every card with its twin by
// clicks on uncovered spots, and writes the game's watch file to the path given.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

#include "gamecore/game_main.h"
#include "keypad/watch_file.h"
#include "support/config_text.h"
#include "support/scratch.h"
#include "tolm2/internal.h"
#include "tolm2/platform/null/headless.h"
#include "tolm2/tolm2.h"

namespace {

bool onBoard(const Card& card) { return card.state < 2; }

bool covers(const Card& card, int x, int y) {
    const int left = static_cast<int>(card.x);
    const int top = static_cast<int>(card.y);
    return x >= left - 2 && x <= left + CARD_SIZE + 1 && y >= top - 2 && y <= top + CARD_SIZE + 1;
}

// A spot of card index, in board coordinates, that no other card on the board covers.
std::optional<std::pair<int, int>> freeSpot(const GameMain& game, int32_t index) {
    const Card& card = game.card(index);
    for (int v = 6; v < CARD_SIZE - 6; v += 4) {
        for (int u = 6; u < CARD_SIZE - 6; u += 4) {
            const int x = static_cast<int>(card.x) + u;
            const int y = static_cast<int>(card.y) + v;
            bool clear = true;
            for (int32_t other = 0; other < game.getCardCount() && clear; ++other) {
                clear = other == index || !onBoard(game.card(other)) ||
                        !covers(game.card(other), x, y);
            }
            if (clear) return std::make_pair(x, y);
        }
    }
    return std::nullopt;
}

// The next card to click: the pick's twin, or any card whose twin and itself show a free spot.
std::optional<std::pair<int, int>> nextClick(const GameMain& game) {
    const int32_t pick = game.getFirstPick();
    for (int32_t a = 0; a < game.getCardCount(); ++a) {
        for (int32_t b = 0; b < game.getCardCount(); ++b) {
            const Card& first = game.card(a);
            const Card& second = game.card(b);
            if (a == b || !onBoard(first) || !onBoard(second) || first.color != second.color ||
                first.number != second.number || (pick != NO_CARD && a != pick)) {
                continue;
            }
            const auto target = freeSpot(game, pick == NO_CARD ? a : b);
            if (target && freeSpot(game, b)) return target;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WATCH_FILE\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[1]);
    headless::reset();
    ScratchDir scratch;
    writeFile(CONFIG_FILE, configText());
    Tolm_init("KORVANE", 640, 480, false, false);
    Tolm_seedRandom(2026);
    Tolm_setValue(MODE_SLOT, MODE_MIXER);
    GameMain game;
    bool down = false;
    for (int frame = 0; frame < 12000 && game.getScene() != GameMain::RESULTS; ++frame) {
        game.step();
        game.draw();
        headless::clearDrawCalls();
        headless::clearSoundCalls();
        const auto target = game.getScene() == GameMain::PLAYING && !down
                                ? nextClick(game)
                                : std::optional<std::pair<int, int>>{};
        if (target) headless::setMouse(game.getBoardX() + target->first,
                                       game.getBoardY() + target->second);
        down = target.has_value();
        headless::setMouseButtons(down ? MOUSE_LEFT : 0);
        Tolm_flip();
        Tolm_wait(FRAME_PERIOD);
    }
    const WatchRecord record = game.recording();
    std::ofstream(out, std::ios::binary) << encodeWatch(record);
    std::printf("MIXER %d frames, score %d\n", static_cast<int>(record.frames.size()), record.score);
    Tolm_quit();
    return game.getScene() == GameMain::RESULTS ? 0 : 1;
}
