// The logo splash: 181 frames or until a left click or A, then the title (how to play at
// the first start).
#pragma once

#include "keypad/keypad.h"
#include "tolm2/game_state.h"

inline constexpr int32_t LOGO_FRAMES = 180;

class LogoMain : public GameState {
public:
    LogoMain();
    void step() override;
    void draw() override;

private:
    int32_t frameCount = 0;
    bool loaded = false;
    Keypad keys{0};  // live buttons only; the logo records nothing
};
