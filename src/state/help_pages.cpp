// The three pages of the how-to-play screen, drawn with the cards and icons the game uses.
// Every number on them comes from the code that plays: multipliers, combo amounts, times.
// The font has no comma.
#include "state/help_pages.h"

#include <array>
#include <string>

#include "gamecore/card.h"
#include "gamecore/card_picture.h"
#include "gamecore/combo.h"
#include "gamecore/game_main.h"
#include "gamecore/pair_points.h"
#include "tolm2/checked_table.h"
#include "tolm2/rgb.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t SCREEN_CENTRE = 320;
constexpr float SUBTITLE_SCALE = 2.0f;
constexpr float BODY_SCALE = 1.5f;
constexpr int32_t BODY_CELL = 12;  // pixels of one character at BODY_SCALE
constexpr int32_t SUBTITLE_Y = 100;
constexpr int32_t LEFT = 104;
constexpr int32_t CARD_STEP = 36;  // two cards side by side, 4 pixels apart
constexpr int32_t SUMMARY_STEP = 34;  // entries of the combo box

constexpr Rgb WHITE = {255, 255, 255};
constexpr Rgb LABEL = {150, 200, 255};
constexpr Rgb AMOUNT = {255, 255, 0};

void write(const std::string& text, int32_t x, int32_t y, float scale, Rgb c = WHITE) {
    Tolm_drawText(text, x, y, scale, c.r, c.g, c.b, 255);
}

void subtitle(const std::string& text) {
    const int32_t width = static_cast<int32_t>(text.size()) * 16;
    write(text, SCREEN_CENTRE - width / 2, SUBTITLE_Y, SUBTITLE_SCALE);
}

std::string times(int32_t multiplier) { return "x" + std::to_string(multiplier); }

// ---- Pairs and points ----

struct PairExample {
    int32_t color1, number1, color2, number2;
    const char* says;
};

void drawPairRow(const PairExample& pair, int32_t y) {
    drawFaceUpCard(pair.color1, pair.number1, LEFT + 6, y, 255);
    drawFaceUpCard(pair.color2, pair.number2, LEFT + 6 + CARD_STEP, y, 255);
    write(pair.says, LEFT + 92, y + 8, SUBTITLE_SCALE);
    const bool sameNumber = pair.number1 == pair.number2;
    const bool sameColor = pair.color1 == pair.color2;
    if (sameNumber || sameColor) {
        write(times(pairMultiplier(sameNumber, sameColor)), 440, y + 8, SUBTITLE_SCALE, AMOUNT);
        return;
    }
    drawCardBack(440.0f, static_cast<float>(y), 255);
    drawCardBack(static_cast<float>(440 + CARD_STEP), static_cast<float>(y), 255);
}

void drawPairsPage() {
    subtitle("PAIRS");
    write("CLICK TWO CARDS. THEY ARE A PAIR WHEN", 98, 126, BODY_SCALE);
    const std::array<PairExample, 4> rows = {{{RED, 3, GREEN, 3, "SAME NUMBER"},
                                              {RED, 3, RED, 7, "SAME COLOR"},
                                              {RED, 3, RED, 3, "BOTH"},
                                              {RED, 3, GREEN, 7, "NO PAIR:"}}};
    for (size_t i = 0; i < rows.size(); ++i) {
        drawPairRow(rows.at(i), 150 + 40 * static_cast<int32_t>(i));
    }
    write("A WRONG PAIR TURNS BOTH CARDS FACE DOWN;", 80, 312, BODY_SCALE);
    write("CLICK A FACE-DOWN CARD TO TURN IT UP.", 80, 330, BODY_SCALE);
    write("A PAIR SCORES THE SECONDS LEFT", 80, 360, BODY_SCALE);
    write("TIMES ITS MULTIPLIER.", 80, 378, BODY_SCALE);
}

// ---- Combos ----

// Three takes in the combo box, oldest first, as the box shows them.
struct ComboExample {
    std::array<int32_t, 3> colors;
    std::array<int32_t, 3> numbers;
    const char* says;
};

int32_t colorBonusOf(const ComboExample& combo) {
    return comboColorBonus(combo.colors[0], combo.colors[1], combo.colors[2]);
}
int32_t numberBonusOf(const ComboExample& combo) {
    return comboNumberBonus(combo.numbers[0], combo.numbers[1], combo.numbers[2]);
}

void drawComboRow(const ComboExample& combo, int32_t y) {
    const int32_t colorBonus = colorBonusOf(combo);
    const int32_t numberBonus = numberBonusOf(combo);
    const int32_t bonus = colorBonus + numberBonus;
    const char* label = colorBonus > 0 ? colorBonusLabel(bonus) : numberBonusLabel(bonus);
    const int32_t icon = colorBonus > 0 ? colorIconRow(bonus) : numberIconRow(bonus);
    drawComboIcon(icon, 0, static_cast<float>(LEFT), static_cast<float>(y), 2.0f, 255);
    for (size_t k = 0; k < combo.colors.size(); ++k) {
        drawTakeSummary(combo.colors.at(k), combo.numbers.at(k),
                        LEFT + 42 + SUMMARY_STEP * static_cast<int32_t>(k), y);
    }
    const int32_t textX = LEFT + 154;
    write(label != nullptr ? label : "", textX, y, SUBTITLE_SCALE);
    write("+" + std::to_string(bonus), textX + 7 * 16, y, SUBTITLE_SCALE, AMOUNT);
    write(combo.says, textX, y + 20, BODY_SCALE, LABEL);
}

void drawCombosPage() {
    subtitle("COMBOS");
    write("EACH PAIR GOES INTO THE COMBO BOX.", 98, 126, BODY_SCALE);
    write("THREE IN A ROW CAN PAY A BONUS:", 98, 144, BODY_SCALE);
    const std::string step = "EVEN STEPS: " + std::to_string(BONUS_STEP_UNIT) + " A STEP";
    const std::array<ComboExample, 5> rows = {{
        {{RED, RED, RED}, {NO_NUMBER, NO_NUMBER, NO_NUMBER}, "ONE COLOR THREE TIMES"},
        {{RED, GREEN, YELLOW}, {NO_NUMBER, NO_NUMBER, NO_NUMBER}, "RED GREEN AND YELLOW"},
        {{MIXED_COLOR, MIXED_COLOR, MIXED_COLOR}, {5, 5, 5}, "ONE NUMBER THREE TIMES"},
        {{MIXED_COLOR, MIXED_COLOR, MIXED_COLOR}, {2, 4, 6}, step.c_str()},
        {{MIXED_COLOR, MIXED_COLOR, MIXED_COLOR}, {1, 2, 8}, "READS AS A POWER OF 2"},
    }};
    for (size_t i = 0; i < rows.size(); ++i) {
        drawComboRow(rows.at(i), 168 + 44 * static_cast<int32_t>(i));
    }
    write("THE BOX KEEPS WHAT EACH PAIR SHARED.", LEFT, 394, BODY_SCALE);
}

// ---- The end and the controls ----

void drawEndAndControlsPage() {
    subtitle("THE GAME ENDS WHEN");
    constexpr int32_t SECONDS_PER_MINUTE = 60;
    const int32_t minutes = GAME_FRAMES / FRAMES_PER_SECOND / SECONDS_PER_MINUTE;
    write("- THE BOARD IS EMPTY", LEFT, 126, BODY_SCALE);
    write("- THE " + std::to_string(minutes) + " MINUTES ARE UP OR", LEFT, 144, BODY_SCALE);
    write("- NO TWO CARDS LEFT MAKE A PAIR.", LEFT, 162, BODY_SCALE);
    write("CONTROLS", SCREEN_CENTRE - 64, 192, SUBTITLE_SCALE);
    // Columns of nine characters after a six-character action.
    const std::array<std::array<const char*, 4>, 6> table = {{
        {"", "MOUSE", "KEYS", "PAD"},
        {"MOVE", "POINT", "ARROWS", "STICK"},
        {"PICK", "CLICK", "Z/SPACE", "BUTTON 0"},
        {"DROP", "CLICK IT", "X/RETURN", "BUTTON 1"},
        {"MODE", "CLICK ROW", "UP/DOWN", "STICK"},
        {"PAUSE", "-", "P", "-"},
    }};
    for (size_t row = 0; row < table.size(); ++row) {
        const int32_t y = 220 + 20 * static_cast<int32_t>(row);
        for (size_t column = 0; column < 4; ++column) {
            const int32_t x =
                LEFT + (column == 0 ? 0 : 84 + 120 * static_cast<int32_t>(column - 1));
            const Rgb colour = row == 0 || column == 0 ? LABEL : WHITE;
            write(table.at(row).at(column), x, y, BODY_SCALE, colour);
        }
    }
    write("M MUTE   S SCORES   ESC QUIT", LEFT + BODY_CELL * 2, 352, BODY_SCALE);
}

using PageDrawing = void (*)();
constexpr std::array<PageDrawing, HELP_PAGES> PAGES = {drawPairsPage, drawCombosPage,
                                                        drawEndAndControlsPage};

}  // namespace

void drawHelpPage(int32_t page) { checkedAt(PAGES, page, "helpPages")(); }
