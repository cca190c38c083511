// The look of a card, as colour functions over card coordinates, shared by the picture
// sheet (drawn 1:1) and the logo and icon (drawn enlarged or turned).
#pragma once

#include <optional>

#include "bitmap.h"

namespace resgen {

// Cards are CARD_SIZE units square; (u, v) = (0, 0) is the top-left corner.
constexpr double CARD_SIZE = 32.0;

// Colour of the face of card colour 0 red, 1 green, 2 yellow at (u, v); nothing outside
// the rounded card. The panel at 7..25 stays dark and plain for the number.
std::optional<Rgb> cardFaceAt(int color, double u, double v);

// Colour of the back of a card (lying face down) at (u, v); nothing outside the card.
std::optional<Rgb> cardBackAt(double u, double v);

// The game's colour for a card number n (0..9).
Rgb numberColor(int n);

// Where to draw a card on a canvas: its top-left at (x, y), scale canvas pixels per card
// unit, turned by degrees (clockwise on screen) about its centre.
struct Placement {
    double x = 0.0, y = 0.0, scale = 1.0, degrees = 0.0;
};

// Paints a card face (color 0..2, with number 0..9 written on it like the game does, or
// no number when number < 0) or, for color < 0, a card back.
void paintCard(Canvas& canvas, const Placement& at, int color, int number);

}  // namespace resgen
