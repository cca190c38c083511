// The how-to-play screen: what a pair is, how it scores, the combos, how a game ends and
// the controls, on pages turned by keys, pad or clicks.
#pragma once

#include <cstdint>

#include "keypad/keypad.h"
#include "tolm2/game_state.h"

// True while no "config.ini" exists: the first start, when the logo hands over to this
// screen instead of the title. Called by the logo as it ends.
bool helpOpensFirst();

class HelpMain : public GameState {
public:
    // Made by the scene loop on MSG_HELP; loads nothing until its first step.
    HelpMain();
    // Left and right (keys, pad, the side arrows) turn the pages, stopping at the first and
    // the last; A turns to the next page and, on the last, goes back to the title, as B, H
    // or a left click outside the pages do. Throws the framework's error when "tama" is
    // missing.
    void step() override;
    void draw() override;

    int32_t getPage() const { return page; }

private:
    void turn(int32_t by);
    void leave() { setMsg(MSG_TITLE); }

    int32_t page = 0;
    bool loaded = false;
    Keypad keys{0};  // live buttons only; this screen records nothing
};
