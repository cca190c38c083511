// The options screen: music and effects volumes, mute, full screen and the 4:3 picture.
#pragma once

#include <cstdint>

#include "keypad/keypad.h"
#include "state/pointer_motion.h"
#include "tolm2/game_state.h"

class OptionsMain : public GameState {
public:
    // Made by the scene loop on MSG_OPTIONS, with the highlight on MUSIC.
    OptionsMain();
    // The game's music plays while the screen is open, so that its level is heard. Up and
    // Down (keys, pad) move the highlight, as does the pointer moving onto a row; Left and
    // Right change the highlighted value (a switch turns on with Right and off with Left),
    // and so does a click on a value's arrows or on a switch; B, O or a click outside
    // the rows goes back to the title.
    void step() override;
    void draw() override;

    int32_t getRow() const { return row; }

private:
    void followPointer();
    void followKeys();
    void clickAt(int32_t x, int32_t y);
    void change(int32_t shown, int32_t step);
    void drawRow(int32_t shown) const;

    bool started = false;
    int32_t row = 0;
    PointerMotion pointer;
    Keypad keys{0};  // live buttons only; the screen records nothing
};
