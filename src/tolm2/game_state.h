// The scene base class and the messages scenes leave for the scene loop.
#pragma once

#include <cstdint>

// MSG_WATCH plays the game waiting in the watch request (state/watch_request.h);
// MSG_SCORES shows the scores screen of the mode in MODE_SLOT; MSG_HELP the how-to-play
// screen. They lie apart from 0..3 so that 4, like every other value outside them, stays
// unknown.
enum SceneMessage : int32_t {
    MSG_STAY = 0,
    MSG_LOGO = 1,
    MSG_TITLE = 2,
    MSG_GAME = 3,
    MSG_WATCH = 100,
    MSG_SCORES = 101,
    MSG_OPTIONS = 102,  // the options screen
    MSG_HELP = 103,
};

// Slot of the shared integer table that carries the chosen mode to the playing scene.
inline constexpr int MODE_SLOT = 10;

// A scene: the loop calls step then draw once per frame, and reads msg at the start of
// the next frame.
class GameState {
public:
    virtual ~GameState() = default;
    virtual void step() {}
    virtual void draw() {}
    virtual void setMsg(int32_t value) { msg = value; }
    virtual int32_t getMsg() { return msg; }

private:
    int32_t msg = MSG_STAY;
};
