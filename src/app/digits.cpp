#include "app/digits.h"

#include "app/game_state.h"
#include "display/bitmaps.h"

namespace varnholt {

namespace {

constexpr int32_t digitWidth = 16;
constexpr int32_t digitHeight = 18;
constexpr int32_t countUpDigits = 6;

Rect digitCell(int32_t d) { return {digitWidth * d, 0, digitWidth * d + digitWidth, digitHeight}; }

int32_t powerOfTen(int32_t k) {
    int32_t value = 1;
    for (int32_t i = 0; i < k; ++i) value *= 10;
    return value;
}

}  // namespace

void drawDigit(int32_t d, int32_t x, int32_t y) {
    if (d < 0 || d > 9) return;
    drawSprite(digitSheet.get(), digitCell(d), x, y);
}

void drawDigitDoubled(int32_t d, const Rect& into) {
    if (d < 0 || d > 9) return;
    drawSpriteScaled(digitSheet.get(), digitCell(d), into);
}

void drawScoreCountUp(int32_t& frame, int32_t offset, int32_t jumpTo) {
    for (int32_t k = 0; k < countUpDigits; ++k) {
        const int32_t place = powerOfTen(k);
        if (score < (k == 0 ? 0 : place)) continue;
        // Digit k rolls for a hundred frames, rests one, then stands.
        const int32_t rollFrom = offset + (k == 0 ? 31 : 30 + 100 * k);
        const int32_t rollTo = offset + 129 + 100 * k;
        const int32_t finalFrom = offset + 131 + 100 * k;
        const Rect into{360 - 22 * k, 180, 392 - 22 * k, 216};
        if (frame >= rollFrom && frame <= rollTo) drawDigitDoubled(frame % 20 / 2, into);
        if (frame >= finalFrom) {
            drawDigitDoubled(score / place % 10, into);
            if (k + 1 < countUpDigits && score < place * 10) frame = jumpTo;
        }
    }
}

void drawBestScore() {
    for (int32_t k = 0; k < countUpDigits; ++k) {
        const int32_t place = powerOfTen(k);
        if (k > 0 && bestScore < place) break;
        drawDigit(bestScore / place % 10, 620 - 10 * k, 65);
    }
}

}  // namespace varnholt
