// The playing scene's construction, per-frame dispatch and checked table access.
#include "gamecore/game_main.h"

#include "tolm2/checked_table.h"
#include "tolm2/tolm2.h"

GameMain::GameMain() {
    setMsg(MSG_STAY);
    // Every button acts on the board, B included, so every button is recorded.
    keypad = std::make_unique<Keypad>(0);
    scene = SETUP;
}

GameMain::GameMain(WatchedGame watched) : GameMain() { input = PlayInput(std::move(watched)); }

void GameMain::step() {
    if (leftWatching()) return;
    if (holdsForPause()) return;
    switch (scene) {
        case SETUP:
            setUp();
            break;
        case READY:
            stepReady();
            break;
        case PLAYING:
            keypad->update();
            stepPlay();
            break;
        case RESULTS:
            stepResults();
            break;
        case CLOSING:
            close();
            break;
        default:
            // LEAVING, and anything above CLOSING: ask again every frame until dropped.
            if (scene > CLOSING) setMsg(MSG_TITLE);
            break;
    }
}

void GameMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    switch (scene) {
        case READY:
            if (paused) {
                drawPaused();
                break;
            }
            drawBoard();
            drawReady();
            break;
        case PLAYING:
            if (paused) {
                drawPaused();
                break;
            }
            drawBoard();
            break;
        case RESULTS:
            drawBoard();
            drawResults();
            break;
        default:
            break;
    }
    if (input.replaying()) drawWatching();
    Tolm_drawFps(550, 10);
}

void GameMain::close() { scene = LEAVING; }

void GameMain::playSound(const std::string& key) { Tolm_playWAV(key, 0, -1); }

void GameMain::playMusic(const std::string& file, int32_t loops) { Tolm_playBgm(file, loops, 0); }

void GameMain::setPicks(int32_t first, int32_t second) {
    firstPick = first;
    secondPick = second;
}

Card& GameMain::card(int32_t index) { return checkedAt(cards, index, "cards"); }

const Card& GameMain::card(int32_t index) const { return checkedAt(cards, index, "cards"); }

const Card& GameMain::comboBox(int32_t entry) const {
    if (entry < 0 || entry >= COMBO_ENTRIES) {
        throw TolmError::format("GameMain: index %d outside comboBox[%d]", entry, COMBO_ENTRIES);
    }
    return card(COMBO_BOX + entry);
}

int32_t GameMain::getHiScore(int32_t mode) const { return checkedAt(hiScores, mode, "hiScores"); }

int32_t GameMain::getColorBonusLog(int32_t pair) const {
    return checkedAt(colorBonusLog, pair, "colorBonusLog");
}

int32_t GameMain::getNumberBonusLog(int32_t pair) const {
    return checkedAt(numberBonusLog, pair, "numberBonusLog");
}

int32_t GameMain::getPopupAngle(int32_t pair) const {
    return checkedAt(popupAngle, pair, "popupAngle");
}

int32_t GameMain::getPopupAge(int32_t pair) const { return checkedAt(popupAge, pair, "popupAge"); }

int32_t& GameMain::hiScore(int32_t mode) { return checkedAt(hiScores, mode, "hiScores"); }

int32_t& GameMain::colorBonusEntry(int32_t pair) {
    return checkedAt(colorBonusLog, pair, "colorBonusLog");
}

int32_t& GameMain::numberBonusEntry(int32_t pair) {
    return checkedAt(numberBonusLog, pair, "numberBonusLog");
}

int32_t& GameMain::popupAngleEntry(int32_t pair) {
    return checkedAt(popupAngle, pair, "popupAngle");
}

int32_t& GameMain::popupAgeEntry(int32_t pair) { return checkedAt(popupAge, pair, "popupAge"); }
