// The card and combo pictures of "tama", drawn the same way on every screen.
#include "gamecore/card_picture.h"

#include "gamecore/card.h"
#include "gamecore/combo.h"
#include "tolm2/rgb.h"
#include "tolm2/tolm2.h"

namespace {

// Source regions in "tama", image pixels.
constexpr int32_t FACE_X = 64;
constexpr int32_t BACK_X = 192;
constexpr int32_t ICON_Y = 96;
constexpr int32_t ICON_SIZE = 16;


// The colour a card's number n is written in.
Rgb numberColor(int32_t n) { return {63 * (n % 4 + 1), 85 * (n % 3 + 1), 127 * (n % 2 + 1)}; }

}  // namespace

void loadCardPictures() { Tolm_loadTexture(CARD_TEXTURE, "resource/image/tama.bmp", MASK_GREEN); }

void drawCardCell(float x, float y, int32_t srcX, int32_t srcY, int alpha) {
    Tolm_drawTexture(CARD_TEXTURE, x, y, srcX, srcY, CARD_SIZE, CARD_SIZE, 1.0f, 1.0f, 0.0f, 255,
                     255, 255, alpha);
}

void drawCardFace(int32_t color, float x, float y, float scale, float angle, int alpha) {
    Tolm_drawTexture(CARD_TEXTURE, x, y, FACE_X + CARD_SIZE * color, FACE_ROW_Y, CARD_SIZE,
                     CARD_SIZE, scale, scale, angle, 255, 255, 255, alpha);
}

void drawCardBack(float x, float y, int alpha) { drawCardCell(x, y, BACK_X, FACE_ROW_Y, alpha); }

void drawCardNumber(int32_t number, int32_t x, int32_t y, float scale) {
    const Rgb c = numberColor(number);
    Tolm_drawText(std::to_string(number), x, y, scale, c.r, c.g, c.b, 255);
}

void drawFaceUpCard(int32_t color, int32_t number, int32_t x, int32_t y, int alpha) {
    drawCardFace(color, static_cast<float>(x), static_cast<float>(y), 1.0f, 0.0f, alpha);
    drawCardNumber(number, x + CARD_NUMBER_OFFSET, y + CARD_NUMBER_OFFSET, 2.0f);
}

// Source x (color + 2) * 32 gives the faces, the back for mixed colours and the empty
// picture for an empty entry.
void drawTakeSummary(int32_t color, int32_t number, int32_t x, int32_t y) {
    drawCardCell(static_cast<float>(x), static_cast<float>(y), (color + 2) * CARD_SIZE,
                 FACE_ROW_Y, 255);
    if (number < NUMBER_COUNT) {
        drawCardNumber(number, x + CARD_NUMBER_OFFSET, y + CARD_NUMBER_OFFSET, 2.0f);
    }
}

const char* colorBonusLabel(int32_t bonus) {
    if (bonus == BONUS_COLOR) return "COLOR";
    if (bonus == BONUS_SIGNAL) return "SIGNAL";
    return nullptr;
}

const char* numberBonusLabel(int32_t bonus) {
    if (bonus == BONUS_NUMBER) return "NUMBER";
    if (bonus == BONUS_8BIT) return "8 BIT";
    if (bonus % BONUS_STEP_UNIT == 0 && bonus >= 1000 && bonus <= 5000) return "STEP ";
    return nullptr;
}

int32_t colorIconRow(int32_t bonus) {
    if (bonus == BONUS_COLOR) return 0;
    if (bonus == BONUS_SIGNAL) return 1;
    return -1;
}

int32_t numberIconRow(int32_t bonus) {
    if (bonus == BONUS_NUMBER) return 2;
    if (bonus % BONUS_STEP_UNIT == 0) return 3;
    if (bonus == BONUS_8BIT) return 4;
    return -1;
}

void drawComboIcon(int32_t row, int32_t frame, float x, float y, float scale, int alpha) {
    if (row < 0) return;
    Tolm_drawTexture(CARD_TEXTURE, x, y, ICON_SIZE * frame, ICON_Y + ICON_SIZE * row, ICON_SIZE,
                     ICON_SIZE, scale, scale, 0.0f, 255, 255, 255, alpha);
}
