// The scores screen: a mode's dated top ten, games played, recent average and last 50 games.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "config/best_scores.h"
#include "config/mode_table.h"
#include "config/score_stats.h"
#include "config/scores_file.h"
#include "keypad/keypad.h"
#include "tolm2/game_state.h"

class ScoresMain : public GameState {
public:
    // Made by the scene loop on MSG_SCORES: shows the mode in MODE_SLOT (LINE when it
    // holds none), reading "scores.txt" and the bests of "config.ini" once. Neither file
    // can end the run: an unreadable scores file is logged and the screen says so.
    ScoresMain();
    // Left and right (keys, pad or the arrows at the sides) switch modes; B, S or a click
    // elsewhere goes back to the title. Where the platform hands files to the player, D or
    // a click on "DOWNLOAD BEST GAME" hands over the shown mode's watch file.
    void step() override;
    void draw() override;

    int32_t getMode() const { return mode; }
    bool couldRead() const { return readable; }

    // What the screen shows of the current mode.
    const ModeScores& shown() const { return scores; }

private:
    void show(int32_t shownMode);
    void leave();
    bool downloadAsked() const;
    void drawTopTen() const;
    void drawSummary() const;

    int32_t mode = MODE_LINE;
    bool readable = true;
    std::vector<ScoreLine> games;            // every mode's, read once
    BestScores bests{};  // of "config.ini", as best_scores::read gives them
    ModeScores scores;
    std::vector<ScoreLine> ranked;
    std::unique_ptr<Keypad> keypad;
};
