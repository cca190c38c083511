// Set-up of a game: resources, stored best scores and the layout of the board.
#include "gamecore/game_main.h"

#include "config/best_scores.h"
#include "gamecore/card_picture.h"
#include "gamecore/mode_layout.h"
#include "gamecore/shared_resources.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t GRID_COLUMNS = 10;
constexpr int32_t GRID_SPACING = 33;
constexpr int32_t GRID_TOP = 50;
constexpr int32_t SCATTER_CELLS = 10;
constexpr int32_t SCATTER_MARGIN = 5;
constexpr int32_t SHUFFLE_SWAPS = 201;

}  // namespace

void GameMain::setUp() {
    Tolm_log("Gamecoer init\n");
    loadSceneResources();
    rulesRandom.seed(input.startSeed());
    if (input.replaying()) {
        // A watched game reads and writes no config: its best is the score it recorded.
        gameMode = input.watchedGame().record.mode;
        hiScore(gameMode) = input.watchedGame().record.score;
    } else {
        readHiScores();
        gameMode = Tolm_getValue(MODE_SLOT);
        readHistory(hiScore(gameMode));
    }
    timeLeft = GAME_FRAMES;
    for (int32_t i = 0; i < cardCount; ++i) layOutCard(i);
    if (isShuffledMode(gameMode)) shuffleFaces();
    emptyComboBox();
    Tolm_log("Gamecoer init\n");
    scene = READY;
}

void GameMain::loadSceneResources() {
    loadCardPictures();
    loadSharedResources();
    Tolm_loadWAV("get", "resource/sound/l1.wav");
    Tolm_loadWAV("door", "resource/sound/puwa.wav");
    Tolm_loadWAV("miss", "resource/sound/damage.wav");
    Tolm_loadWAV("cancel", "resource/sound/puwa.wav");
    Tolm_loadWAV("destroy", "resource/sound/destroy2.wav");
    Tolm_loadWAV("powerup", "resource/sound/clear.wav");
}

// As the title reads them (best_scores::read says how faults read).
void GameMain::readHiScores() {
    const BestScores bests = best_scores::read(CONFIG_FILE);
    for (int32_t mode = 0; mode < MODE_COUNT; ++mode) hiScore(mode) = bests.at(static_cast<size_t>(mode));
}

// The random draws happen in a fixed order (angle, position, speed, re-placements) so
// that a seeded generator always gives the same board.
void GameMain::layOutCard(int32_t index) {
    Card& c = card(index);
    c.color = (index / GRID_COLUMNS) % COLOR_COUNT;
    c.number = index % GRID_COLUMNS;
    c.x = static_cast<float>((index % GRID_COLUMNS) * GRID_SPACING);
    c.y = static_cast<float>((index / GRID_COLUMNS) * GRID_SPACING + GRID_TOP);
    c.state = 0;
    c.angle = rulesRandomIn(1, 360);
    c.speed = 0.0f;
    c.life = cardLife;
    if (isFadingMode(gameMode)) {
        cardLife = FADE_LIFE;
        c.life = FADE_LIFE;
    }
    if (isScatteredMode(gameMode)) placeScattered(c);
    if (gameMode == MODE_MIXER) c.speed = static_cast<float>(rulesRandomIn(10, 20)) / 10.0f;
    separateFromEarlierCards(index);
}

void GameMain::placeScattered(Card& target) {
    target.x = static_cast<float>(rulesRandomIn(0, SCATTER_CELLS) * CARD_SIZE + SCATTER_MARGIN);
    target.y = static_cast<float>(rulesRandomIn(0, SCATTER_CELLS) * CARD_SIZE + SCATTER_MARGIN);
}

// Re-places card index until no earlier card lies strictly within a card's size of it
// on both axes; on the scattered layout that means one card per cell.
void GameMain::separateFromEarlierCards(int32_t index) {
    Card& c = card(index);
    const float reach = static_cast<float>(CARD_SIZE);
    for (int32_t j = 0; j <= index; ++j) {
        if (j == index) continue;
        const Card& other = card(j);
        if (c.x - reach < other.x && other.x < c.x + reach && c.y - reach < other.y &&
            other.y < c.y + reach) {
            placeScattered(c);
            j = -1;
        }
    }
}

// Faces move, places stay: colour and number swap, everything else keeps its index.
void GameMain::shuffleFaces() {
    for (int32_t swap = 0; swap < SHUFFLE_SWAPS; ++swap) {
        const int32_t a = rulesRandomIn(0, cardCount);
        const int32_t b = rulesRandomIn(0, cardCount);
        swapFaces(a, b);
    }
}

void GameMain::swapFaces(int32_t a, int32_t b) {
    Card& scratch = card(SCRATCH);
    Card& first = card(a);
    Card& second = card(b);
    scratch.color = first.color;
    scratch.number = first.number;
    first.color = second.color;
    first.number = second.number;
    second.color = scratch.color;
    second.number = scratch.number;
}

void GameMain::emptyComboBox() {
    for (int32_t entry = 0; entry < COMBO_ENTRIES; ++entry) {
        Card& box = card(COMBO_BOX + entry);
        box.color = EMPTY_COLOR;
        box.number = NO_NUMBER;
    }
}
