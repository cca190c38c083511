// What drives a game besides its rules: its seed and pointer frames, live or played back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "keypad/watch_file.h"

class PlayInput {
public:
    // Live: the framework's pointer, recorded frame by frame.
    PlayInput() = default;
    // Playback of a watched game; live input is never read.
    explicit PlayInput(WatchedGame watched);

    bool replaying() const { return watched.has_value(); }
    // The watched game; throws TolmError when live.
    const WatchedGame& watchedGame() const;

    // Called by set-up at the start of a game: the seed of the rules' generator, a fresh
    // one when live (drawn from the process-wide generator), the recorded one otherwise.
    uint32_t startSeed();
    // Called by each step of play, once, before the rules look at the pointer: takes this
    // frame's pointer (live: sampled and recorded; playback: the next recorded frame, or
    // the last position with no button once the recording has run out). A step that does
    // not run records nothing.
    void advance();

    // This frame's pointer, as advance took it; the rules read the pointer only here.
    int32_t x() const { return current.x; }
    int32_t y() const { return current.y; }
    bool leftPushed() const { return (current.buttons & POINTER_LEFT_PUSHED) != 0; }
    bool leftHeld() const { return (current.buttons & POINTER_LEFT_HELD) != 0; }

    // What a live game recorded so far, to be saved with its record. A recording that
    // reaches MAX_WATCH_FRAMES stops growing.
    WatchRecord recording(int32_t mode, int32_t score) const;

private:
    std::optional<WatchedGame> watched;
    uint32_t seed = 0;
    std::vector<PointerFrame> recorded;
    size_t next = 0;
    PointerFrame current;
};
