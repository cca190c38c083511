// Six logical buttons from keyboard and joystick, recorded frame by frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t MAX_FRAME = 36000;
inline constexpr int REPLAY_RECORD_BYTES = 24;

// One frame of logical input.
struct KeypadState {
    bool holdA = false, holdB = false, holdLeft = false, holdUp = false, holdRight = false,
         holdDown = false;
    bool pushA = false, pushB = false, pushLeft = false, pushUp = false, pushRight = false,
         pushDown = false;
};

class Keypad {
public:
    enum Mode : int32_t { RECORD = 0, PLAY = 1 };

    explicit Keypad(int32_t padNumber);
    virtual ~Keypad() = default;

    // Called by the owner once per frame: steps the frame and, when recording, stores
    // the twelve answers (masked by the record flags).
    virtual void update();
    // Writes frames 0..recordLength as 24-byte records. Throws
    // "Cannot open or create file '<name>'" when the file cannot be created.
    virtual bool save(const std::string& filename);
    // Reads a replay file and switches to PLAY. Throws the same open failure for a file
    // that cannot be opened; false (logged) when it ends inside a record or holds more
    // than MAX_FRAME records.
    virtual bool load(const std::string& filename);
    virtual void setRecordA(bool on);
    virtual void setRecordB(bool on);
    virtual void setRecordLeft(bool on);
    virtual void setRecordUp(bool on);
    virtual void setRecordRight(bool on);
    virtual void setRecordDown(bool on);
    virtual bool holdA(bool raw);
    virtual bool pushA(bool raw);
    virtual bool holdB(bool raw);
    virtual bool pushB(bool raw);
    virtual bool holdLeft(bool raw);
    virtual bool holdUp(bool raw);
    virtual bool holdRight(bool raw);
    virtual bool holdDown(bool raw);
    virtual bool pushLeft(bool raw);
    virtual bool pushUp(bool raw);
    virtual bool pushRight(bool raw);
    virtual bool pushDown(bool raw);

    int32_t getFrame() const { return frame; }
    int32_t getRecordLength() const { return recordLength; }
    Mode getMode() const { return mode; }
    // The stored frame at index, bounds-checked (throws TolmError outside the table).
    const KeypadState& stateAt(int32_t index) const;

private:
    std::vector<KeypadState> states;
    int32_t frame = 0;
    int32_t recordLength = 0;
    Mode mode = RECORD;
    bool recordA = true, recordB = true, recordLeft = true, recordUp = true, recordRight = true,
         recordDown = true;
    int32_t padNumber;
};
