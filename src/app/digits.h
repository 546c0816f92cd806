// Numbers drawn from the digit sheet: single digits, the rolling count-up
// of a final score, and the best score in the top right corner.
#pragma once

#include <cstdint>

#include "display/display.h"

namespace varnholt {

// Called by the status display, the game-over screen and the ending.
// Draws digit d (its 16×18 cell) at (x, y), or doubled into a rectangle;
// a value outside 0..9 draws nothing.
void drawDigit(int32_t d, int32_t x, int32_t y);
void drawDigitDoubled(int32_t d, const Rect& into);

// Called every frame by the game-over screen (offset 0, jump 670) and the
// ending (offset 750, jump 1400) while they show the final score. The six
// digits of `score` roll in one after another, the ones first, from frame
// 31 + offset of the sequence; when the highest digit the score needs
// stands, `frame` jumps to `jumpTo`, which ends the count-up.
void drawScoreCountUp(int32_t& frame, int32_t offset, int32_t jumpTo);

// Called by the game-over screen and the ending: bestScore at y 65 with
// its ones at x 620, as many digits as it has.
void drawBestScore();

}  // namespace varnholt
