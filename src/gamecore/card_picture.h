// The pictures of "tama" shared by the playing scene and the how-to-play screen: card
// faces, backs, numbers, take summaries, and the combo icons and names.
#pragma once

#include <cstdint>
#include <string>

inline const std::string CARD_TEXTURE = "tama";
// The source row of the faces, the back and the empty picture in "tama".
inline constexpr int32_t FACE_ROW_Y = 32;
// The number's top-left, this far inside its card.
inline constexpr int32_t CARD_NUMBER_OFFSET = 8;

// Loads (or reloads) "tama"; called by each scene that draws cards, at its first step.
// Throws the framework's error for a missing file.
void loadCardPictures();

// Every drawing below needs "tama" loaded (else the framework's error) and the 2D set-up
// of the frame; x, y are the top-left corner in screen pixels.

// One 32 x 32 cell of "tama" from (srcX, srcY), unscaled.
void drawCardCell(float x, float y, int32_t srcX, int32_t srcY, int alpha);
// The face of colour 0..2 (red, green, yellow), scaled and turned about its centre.
void drawCardFace(int32_t color, float x, float y, float scale, float angle, int alpha);
void drawCardBack(float x, float y, int alpha);
// The number n in its own colour, the same everywhere.
void drawCardNumber(int32_t number, int32_t x, int32_t y, float scale);
// A face-up card as the board shows it: face and number.
void drawFaceUpCard(int32_t color, int32_t number, int32_t x, int32_t y, int alpha);
// One take as the combo box shows it: the shared colour's face, the back for mixed
// colours, nothing for an empty entry; the number only when the pair shared it.
void drawTakeSummary(int32_t color, int32_t number, int32_t x, int32_t y);

// The name the HUD gives a combo bonus, or nullptr for an amount no single combo pays.
const char* colorBonusLabel(int32_t bonus);
const char* numberBonusLabel(int32_t bonus);
// Icon rows of the pop-ups; -1 for an amount no combo pays.
int32_t colorIconRow(int32_t bonus);
int32_t numberIconRow(int32_t bonus);
// Frame 0..2 of the icon of row (0..4) at scale, fading by alpha; nothing for row -1.
void drawComboIcon(int32_t row, int32_t frame, float x, float y, float scale, int alpha);
