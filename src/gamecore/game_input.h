// What drives a game besides its rules: its seed, pointer and button frames, live or played
// back, and the per-second digests that check a replay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "keypad/keypad.h"
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
    // Called by each step of play, once, before the rules look at the input: takes this
    // frame's pointer and logical buttons (live: the framework's pointer and liveButtons,
    // recorded; playback: the next recorded frame, or the last position with nothing held
    // once the recording has run out). A step that does not run records nothing.
    void advance(const KeypadState& liveButtons);

    // This frame's pointer, as advance took it; the rules read the pointer only here.
    int32_t x() const { return current.x; }
    int32_t y() const { return current.y; }
    bool leftPushed() const { return (current.buttons & POINTER_LEFT_PUSHED) != 0; }
    bool leftHeld() const { return (current.buttons & POINTER_LEFT_HELD) != 0; }
    // This frame's logical buttons, as advance took them; the rules read them only here.
    KeypadState buttons() const;

    // Called by each step of play after the rules: whether this step closed a second of
    // play (every 60th frame), and then, with the digest of the game's state and the clock
    // the game shows, records it (live) or notes it and checks it against the recorded one
    // (playback).
    bool secondClosed() const { return played > 0 && played % FRAMES_PER_DIGEST == 0; }
    void noteDigest(uint32_t digest, int32_t clock);
    // Playback: the clock at the first second whose digest differed, if one did.
    std::optional<int32_t> firstMismatch() const { return mismatchClock; }
    // The digests noted so far, one per second of play: recorded live, computed in playback.
    const std::vector<uint32_t>& notedDigests() const { return digests; }

    // What a live game recorded so far, to be saved with its record. A recording that
    // reaches MAX_WATCH_FRAMES stops growing.
    WatchRecord recording(int32_t mode, int32_t score) const;

private:
    std::optional<WatchedGame> watched;
    uint32_t seed = 0;
    std::vector<PointerFrame> recorded;
    std::vector<uint32_t> digests;
    std::optional<int32_t> mismatchClock;
    size_t next = 0;
    size_t played = 0;
    PointerFrame current;
};
