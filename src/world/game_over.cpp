#include "world/game_over.h"

#include "app/digits.h"
#include "app/game_state.h"
#include "app/score_file.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"

namespace varnholt {

namespace {

constexpr int32_t captionFrom = 20;
constexpr int32_t endFrame = 670;  // the count-up is over; the best score shows

}  // namespace

void gameOverStep() {
    if (playing == 1) {
        // hp is 0 or below here and counts with its sign.
        score = 100 * fallCount + 100 * level + 2 * exp + hp + stamina / 100 - playSeconds;
        if (score <= 0) score = 0;
        playSound(SoundEffect::Character);
    }
    playing = 0;
    gameOverFrames += 1;
    if (gameOverFrames >= captionFrom) drawSprite(endingSheet.get(), Rect{0, 270, 67, 300}, 280, 130);
    drawScoreCountUp(gameOverFrames, 0, endFrame);
    if (gameOverFrames >= endFrame) {
        drawSprite(endingSheet.get(), Rect{220, 220, 450, 269}, 200, 50);
        updateScoreFile();
        drawSprite(endingSheet.get(), Rect{68, 269, 140, 285}, 565, 45);
        drawBestScore();
    }
}

}  // namespace varnholt
