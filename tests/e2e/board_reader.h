// Reads a screenshot the way a player reads the screen: text in the bitmap font, the
// cards on the board (number from the digit's colour, colour from the face), the pick.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_files.h"

inline constexpr Rgb WHITE_TEXT{255, 255, 255};
inline constexpr int CARD_SIDE = 32;
// The black board backdrop, window pixels; every card on it lies inside.
inline constexpr int BOARD_LEFT = 50;
inline constexpr int BOARD_TOP = 50;
inline constexpr int BOARD_SIDE = 332;

// What the picture of a card shows. The first three match the game's colour numbers.
enum class Face { RED = 0, GREEN = 1, YELLOW = 2, BACK, UNKNOWN };
const char* faceName(Face face);
inline std::ostream& operator<<(std::ostream& out, Face face) { return out << faceName(face); }

struct SeenCard {
    int x = 0;  // top-left corner of the card, window pixels
    int y = 0;
    int number = -1;
    Face face = Face::UNKNOWN;
};

// The card shown in the preview while a first card is picked.
struct Pick {
    Face face = Face::UNKNOWN;
    int number = -1;
};

// True when text is drawn with the top-left of its first cell at (x, y), cells of
// 8 x scale pixels in colour: every inked texel of every glyph shows the colour and no
// blank texel does. Spaces are skipped. Uses resource/font/font.bmp of the repository.
bool showsText(const Image& shot, const std::string& text, int x, int y, float scale, Rgb colour);
// The share of the texels of text (spaces left out) that do not look as showsText wants,
// 0 to 1; for text that other drawing crosses every frame.
double textMismatch(const Image& shot, const std::string& text, int x, int y, float scale,
                    Rgb colour);

// The decimal digits written from (x, y) in colour; nullopt when the first cell holds no
// digit or the digits end in a cell that is not blank (something drawn over the text).
std::optional<std::string> readDigits(const Image& shot, int x, int y, float scale, Rgb colour);

// The playing scene's HUD: frames left on the clock ("TIME mm:ss:ff") and the score.
// nullopt when the HUD is not there or cannot be read in this picture.
std::optional<int> readClock(const Image& shot);
std::optional<long> readScore(const Image& shot);

// The colour a card's number n is written in.
Rgb numberColour(int n);

// The number written on the card whose top-left corner is at (x, y); nullopt when no
// whole digit shows there (empty place, card back, something over it).
std::optional<int> numberOnCard(const Image& shot, int x, int y);
// What the 32 x 32 picture at (x, y) shows, judged from its outer ring (the number in
// the middle is left out); UNKNOWN for an empty or unreadable place.
Face faceOfCard(const Image& shot, int x, int y);
// Every card on the board whose digit shows whole, sorted top to bottom, left to right.
std::vector<SeenCard> findCards(const Image& shot);
// Card backs lying on the board, whole or nearly, found by their purple; the corner of
// each is exact to a pixel or two (x, y as the top-left, number -1, face BACK).
std::vector<SeenCard> findBacks(const Image& shot);
// True when the 32 x 32 place at (x, y) is (nearly) all black board.
bool isEmptyPlace(const Image& shot, int x, int y);
// The card in the pick preview, or nullopt when no card is picked (no preview box).
std::optional<Pick> readPick(const Image& shot);
