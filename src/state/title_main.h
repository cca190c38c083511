// The title screen and mode menu: bests from "config.ini", a click or A plays, a right click
// watches, up and down move the highlight, S or B shows the scores, H how to play.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "config/best_scores.h"
#include "config/mode_table.h"
#include "keypad/keypad.h"
#include "state/pointer_motion.h"
#include "tolm2/game_state.h"

class TitleMain : public GameState {
public:
    // Reads the bests of "config.ini" (best_scores::read: never throws).
    TitleMain();
    void step() override;
    void draw() override;

    int32_t getHoveredMode() const { return hoveredMode; }
    // The row the keys highlight, 0 while the pointer leads.
    int32_t getKeyRow() const { return keyRow; }
    const BestScores& getHiScores() const { return hiScores; }

private:
    int32_t followPointer();
    void followKeys();
    void highlight(int32_t mode);
    void watchRowUnderPointer();
    bool scoresAsked();
    bool watchHandedFile();

    bool started = false;
    BestScores hiScores{};
    int32_t hoveredMode = 0;
    std::array<bool, 7> watchable{};
    bool anyWatchable = false;
    bool keepsRecords = true;
    // Live logical buttons; the title records nothing.
    Keypad keys{0};
    int32_t keyRow = 0;
    PointerMotion pointer;
    int32_t drawnRow = -1;  // the highlight the last drawn frame showed; -1 before the first
};
