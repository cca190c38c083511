// One entry of the playing scene's card table, and the marker values the table uses.
#pragma once

#include <cstdint>

// A card on the board, or a take summary (lastTake, comboBox), or scratch space.
struct Card {
    int32_t color = 0;   // 0 red, 1 green, 2 yellow; summaries: 4 mixed, 5 empty
    int32_t number = 0;  // 0..9; summaries: 999 mixed or empty
    float x = 0.0f;      // left edge in board coordinates
    float y = 0.0f;      // top edge in board coordinates
    int32_t state = 0;   // 0 on the board, 1 picked, 2..33 taken (the display counts it up)
    int32_t angle = 0;   // heading in degrees (MIXER), also shapes the take sparks
    float speed = 0.0f;  // pixels per frame (MIXER only)
    int32_t life = 0;    // face-up frames left; 0 or less lies face down
};

inline constexpr int32_t CARD_TABLE_SIZE = 100;
inline constexpr int32_t CARD_SIZE = 32;

// Fixed roles of entries in the card table.
inline constexpr int32_t LAST_TAKE = 90;
inline constexpr int32_t COMBO_BOX = 91;  // 91, 92, 93: oldest first
inline constexpr int32_t COMBO_ENTRIES = 3;
inline constexpr int32_t SCRATCH = 99;

// Marker values standing in for absent ones.
inline constexpr int32_t NO_CARD = 99;
inline constexpr int32_t NO_NUMBER = 999;
inline constexpr int32_t MIXED_COLOR = 4;
inline constexpr int32_t EMPTY_COLOR = 5;

inline constexpr int32_t RED = 0;
inline constexpr int32_t GREEN = 1;
inline constexpr int32_t YELLOW = 2;
inline constexpr int32_t COLOR_COUNT = 3;
inline constexpr int32_t NUMBER_COUNT = 10;
