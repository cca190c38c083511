// Fuzzes Keypad replay files: load of arbitrary bytes, playback steps, and record/save/load.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz_scratch.h"
#include "keypad/keypad.h"
#include "tolm2/internal.h"
#include "tolm2/platform/null/headless.h"
#include "tolm2/tolm2.h"

namespace {

constexpr const char* INPUT_FILE = "input.bin";
constexpr const char* SAVED_FILE = "saved.bin";
constexpr int PLAY_STEPS = 40;
constexpr size_t MAX_RECORDED = 256;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "replay fuzzer: %s\n", what);
        std::abort();
    }
}

bool fieldSet(const uint8_t* record, int field) {
    return record[2 * field] != 0 || record[2 * field + 1] != 0;
}

// The counted records must hold exactly the file's flags.
void checkLoaded(const Keypad& pad, const uint8_t* data) {
    for (int32_t i = 0; i < pad.getRecordLength(); ++i) {
        const uint8_t* record = data + static_cast<size_t>(i) * REPLAY_RECORD_BYTES;
        const KeypadState& s = pad.stateAt(i);
        const bool fields[12] = {s.holdA, s.holdB, s.holdLeft, s.holdUp, s.holdRight, s.holdDown,
                                 s.pushA, s.pushB, s.pushLeft, s.pushUp, s.pushRight, s.pushDown};
        for (int f = 0; f < 12; ++f) check(fields[f] == fieldSet(record, f), "field differs");
    }
}

// Playback steps one frame at a time, repeats the last record, and answers what it holds.
void stepPlayback(Keypad& pad) {
    for (int step = 0; step < PLAY_STEPS; ++step) {
        const int32_t expected = std::min(pad.getFrame() + 1, pad.getRecordLength() - 1);
        pad.update();
        const int32_t frame = pad.getFrame();
        check(frame == expected, "frame did not step or stop at the last record");
        const bool answers[12] = {pad.holdA(false), pad.holdB(false), pad.holdLeft(false),
                                  pad.holdUp(false), pad.holdRight(false), pad.holdDown(false),
                                  pad.pushA(false), pad.pushB(false), pad.pushLeft(false),
                                  pad.pushUp(false), pad.pushRight(false), pad.pushDown(false)};
        if (frame < 0) {
            for (bool answer : answers) check(!answer, "answer without a frame");
            continue;
        }
        const KeypadState& s = pad.stateAt(frame);
        const bool stored[12] = {s.holdA, s.holdB, s.holdLeft, s.holdUp, s.holdRight, s.holdDown,
                                 s.pushA, s.pushB, s.pushLeft, s.pushUp, s.pushRight, s.pushDown};
        for (int f = 0; f < 12; ++f) check(answers[f] == stored[f], "answer differs from frame");
        pad.holdA(true);  // live queries must work in PLAY too
        pad.pushDown(true);
    }
}

// Each byte is one frame of keys (bits 0-5: z, x, left, up, right, down); the recording
// must come back unchanged from its file.
void checkRecordRoundTrip(const uint8_t* data, size_t size) {
    static constexpr int KEYS[6] = {KEY_Z, KEY_X, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN};
    headless::reset();
    Tolm_resetInput();
    Keypad recorder(0);
    if (size > 0) recorder.setRecordB((data[0] & 0x80) == 0);
    for (size_t i = 0; i < size && i < MAX_RECORDED; ++i) {
        for (int k = 0; k < 6; ++k) headless::setKey(KEYS[k], (data[i] >> k) & 1);
        Tolm_sampleInput();
        recorder.update();
    }
    recorder.save(SAVED_FILE);
    Keypad player(0);
    check(player.load(SAVED_FILE), "saved recording does not load");
    check(player.getRecordLength() == recorder.getRecordLength() + 1, "record count differs");
    for (int32_t i = 0; i <= recorder.getRecordLength(); ++i) {
        const KeypadState& a = recorder.stateAt(i);
        const KeypadState& b = player.stateAt(i);
        check(a.holdA == b.holdA && a.holdB == b.holdB && a.holdLeft == b.holdLeft &&
                  a.holdUp == b.holdUp && a.holdRight == b.holdRight &&
                  a.holdDown == b.holdDown && a.pushA == b.pushA && a.pushB == b.pushB &&
                  a.pushLeft == b.pushLeft && a.pushUp == b.pushUp &&
                  a.pushRight == b.pushRight && a.pushDown == b.pushDown,
              "record changed by save and load");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_scratch::enter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_scratch::writeBytes(INPUT_FILE, data, size);
    Keypad pad(0);
    const bool whole = pad.load(INPUT_FILE);
    Tolm_resetLog();  // keep run.log from growing with every short file
    const size_t records = size / REPLAY_RECORD_BYTES;
    const bool fits = records <= static_cast<size_t>(MAX_FRAME);
    check(whole == (size % REPLAY_RECORD_BYTES == 0 && fits), "load result");
    check(pad.getRecordLength() == static_cast<int32_t>(fits ? records : MAX_FRAME),
          "record count");
    check(pad.getMode() == Keypad::PLAY, "not in PLAY after load");
    checkLoaded(pad, data);
    stepPlayback(pad);
    checkRecordRoundTrip(data, size);
    return 0;
}
