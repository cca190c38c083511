// Six logical buttons from keyboard and joystick, recorded frame by frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t MAX_FRAME = 36000;
inline constexpr int REPLAY_RECORD_BYTES = 24;
inline constexpr int KEYPAD_BUTTONS = 6;

// One frame of logical input, fields in replay-file order.
struct KeypadState {
    bool holdA = false, holdB = false, holdLeft = false, holdUp = false, holdRight = false,
         holdDown = false;
    bool pushA = false, pushB = false, pushLeft = false, pushUp = false, pushRight = false,
         pushDown = false;
};

class Keypad {
public:
    enum Mode : int32_t { RECORD = 0, PLAY = 1 };
    // Logical buttons, in the order of the record flags and of KeypadState's fields.
    enum Button : int { BUTTON_A, BUTTON_B, BUTTON_LEFT, BUTTON_UP, BUTTON_RIGHT, BUTTON_DOWN };

    // padNumber is the joystick slot 0..3 (the keyboard counts only for 0); throws
    // TolmError for another slot.
    explicit Keypad(int32_t padNumber);
    virtual ~Keypad() = default;

    // Called by the owner once per frame: steps the frame and, when recording, stores
    // the twelve answers (masked by the record flags). A full table stops the recording:
    // frame stays at MAX_FRAME - 1.
    virtual void update();
    // Writes frames 0..recordLength as 24-byte records. Throws
    // "Cannot open or create file '<name>'" when the file cannot be created and
    // "Cannot write file '<name>'" when writing it fails.
    virtual bool save(const std::string& filename);
    // Reads a replay file and switches to PLAY. Throws the same open failure for a file
    // that cannot be opened (the Keypad is then unchanged); false (logged) when it ends
    // inside a record or holds more than MAX_FRAME records.
    virtual bool load(const std::string& filename);
    virtual void setRecordA(bool on);
    virtual void setRecordB(bool on);
    virtual void setRecordLeft(bool on);
    virtual void setRecordUp(bool on);
    virtual void setRecordRight(bool on);
    virtual void setRecordDown(bool on);
    // raw: live input even in PLAY mode; otherwise PLAY answers the stored frame, and
    // false when no frame is stored there.
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
    bool query(Button button, bool pushed, bool raw) const;
    bool live(Button button, bool pushed) const;
    bool stored(Button button, bool pushed) const;
    void checkIndex(int32_t index) const;
    KeypadState& entry(int32_t index);
    void recordFrame();

    std::vector<KeypadState> states;
    int32_t frame = 0;
    int32_t recordLength = 0;
    Mode mode = RECORD;
    bool recordA = true, recordB = true, recordLeft = true, recordUp = true, recordRight = true,
         recordDown = true;
    int32_t padNumber;
};
