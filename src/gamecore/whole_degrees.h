// Sine and cosine of whole degrees for the rules: read from a table, so that the cards
// move by the same bits whatever C library the game is built with.
#pragma once

#include <cstdint>

// Called by the moving cards every frame with their heading, which the bounces keep within
// -359..359. The values are those of sin(degrees / 180.0 * PI) on glibc, bit for bit.
// Throws TolmError "GameMain: index <i> outside <table>[721]" for a heading outside
// -360..360.
double degreeSin(int32_t degrees);
double degreeCos(int32_t degrees);
