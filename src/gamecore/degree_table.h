// Sine and cosine of whole degrees for the rules' motion, worked out once.
#pragma once

#include <cstdint>

// The values Tolm_sin and Tolm_cos give, bit for bit, looked up instead of computed for
// headings in -720..720 (every heading the motion makes), and computed otherwise. The
// moving cards ask four times a card a frame, which dominated a replay's time.
double sinOfDegrees(int32_t degrees);
double cosOfDegrees(int32_t degrees);
