// The rows of the options screen: what each one shows, and how a change is applied and kept.
#pragma once

#include <cstdint>
#include <string>

// MUSIC, EFFECTS, MUTE, FULL SCREEN, KEEP 4:3, in that order.
inline constexpr int32_t OPTION_ROWS = 5;

struct OptionRow {
    const char* label;
    // A switch is 0 (off) or 1 (on); the others are levels of 0..10.
    bool isSwitch;
    int32_t (*value)();
    // Applies the new value at once (heard or seen) and saves it under the row's key.
    void (*change)(int32_t value);
};

// Throws TolmError "GameMain: index <n> outside optionRows[5]" for another row.
const OptionRow& optionRow(int32_t row);

// The options screen, for Left (-1) and Right (+1) on a row: the value a step gives, kept
// within 0..10 or 0..1; the same value when the step leads nowhere.
int32_t steppedValue(const OptionRow& row, int32_t step);

// The scene loop's resource load, once per run: the saved volumes, with any option value
// of the wrong form in "config.ini" logged.
void restoreVolumes();
