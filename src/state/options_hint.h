// The title's way to the options screen: the "O: OPTIONS" hint and what opens it.
#pragma once

// The title's step, before anything else: whether O was pressed or the left button went
// down on the hint.
bool optionsAsked();
// The title's draw: the hint, right of the game's name.
void drawOptionsHint();
