#include "app/status_display.h"

#include "app/digits.h"
#include "app/game_state.h"
#include "display/bitmaps.h"

namespace varnholt {

namespace {

constexpr int32_t barY = 450;
constexpr int32_t startNoticeFrames = 100;
constexpr int32_t levelUpNoticeFrames = 30;
constexpr int32_t gaugeWidth = 245;
constexpr int32_t staminaCells = 6;
constexpr int32_t cellWidth = 18;
constexpr int32_t playSecondsLimit = 9999;

// The difficulty's name as the title menu shows it, shrunk to fit the
// top right corner.
Rect difficultyLabel() {
    switch (difficulty) {
    case 0: return {25, 335, 157, 379};
    case 1: return {316, 335, 487, 373};
    case 2: return {165, 335, 305, 379};
    default: return {0, 0, 0, 0};
    }
}

void drawHitPointGauge() {
    drawSprite(hpSheet.get(), Rect{0, 18, 281, 36}, 20, barY);
    if (playing != 1) return;
    drawSprite(hpSheet.get(), Rect{0, 0, 35, 18}, 20, barY);
    if (maxHp <= 0) return;
    const int64_t filled = int64_t(hp) * gaugeWidth / maxHp;
    drawSprite(hpSheet.get(), Rect{static_cast<int32_t>(280 - filled), 0, 281, 18}, 55, barY);
}

void drawExperienceAndLevel() {
    drawSprite(exSheet.get(), Rect{0, 0, 32, 18}, 310, barY);
    drawDigit(exp % 10, 350, barY);
    drawDigit(exp / 10, 340, barY);
    drawSprite(exSheet.get(), Rect{32, 0, 64, 18}, 380, barY);
    if (level < 99) {
        drawDigit(level % 10, 420, barY);
        drawDigit(level / 10, 410, barY);
    } else {
        drawSprite(digitSheet.get(), Rect{0, 18, 34, 38}, 410, barY);
    }
}

// Six cells, each a sixth of the gauge, the last filled one drawn in part.
// A gauge too small to divide into six shows its cells empty.
void drawStaminaCells() {
    drawSprite(exSheet.get(), Rect{63, 0, 92, 18}, 450, barY);
    const int64_t sixth = maxStamina / staminaCells;
    for (curRow = 0; curRow < staminaCells; ++curRow) {
        const int32_t x = 480 + 25 * curRow;
        drawSprite(exSheet.get(), Rect{92, 0, 110, 18}, x, barY);
        if (playing != 1 || sixth <= 0) continue;
        if (stamina > (curRow + 1) * sixth) {
            drawSprite(exSheet.get(), Rect{110, 0, 128, 18}, x, barY);
        } else {
            const int64_t part = (stamina - curRow * sixth) * cellWidth / sixth;
            if (part > 0) drawSprite(exSheet.get(), Rect{110, 0, static_cast<int32_t>(110 + part), 18}, x, barY);
        }
    }
}

// Counts the changes of the calendar second seen while playing.
void countPlayTime() {
    prevWallClock = wallClock;
    if (scene == 1 && playing == 1) wallClock = static_cast<int32_t>(platform().calendarSeconds());
    if (wallClock != prevWallClock) playSeconds += 1;
    drawDigit(playSeconds % 10, 620, 25);
    if (playSeconds > 9) drawDigit(playSeconds / 10 % 10, 610, 25);
    if (playSeconds > 99) drawDigit(playSeconds / 100 % 10, 600, 25);
    if (playSeconds > 999) drawDigit(playSeconds / 1000 % 10, 590, 25);
    if (playSeconds > playSecondsLimit - 1) playSeconds = playSecondsLimit;
}

}  // namespace

void drawStatusNotices() {
    if (startNotice < startNoticeFrames && scene == 1) {
        drawSprite(exSheet.get(), Rect{0, 84, 256, 132}, 208, 108);
        startNotice += 1;
    }
    if (quakeNotice > 0) {
        drawSprite(exSheet.get(), Rect{0, 129, 256, 177}, playerOffsetX + 203, playerOffsetY + 160);
        quakeNotice -= 1;
    }
    if (bossNotice > 0) {
        bossNoticePhase = bossNotice / 100;
        const int32_t top = 45 * bossNoticePhase + 177;
        drawSprite(exSheet.get(), Rect{0, top, 256, top + 45}, playerOffsetX + 203, playerOffsetY + 160);
        bossNotice -= 1;
    }
    if (scene > 0) drawSpriteScaled(openingSheet.get(), difficultyLabel(), Rect{580, 3, 640, 23});
}

void drawStatusBar() {
    if (levelUpNotice < 1 || levelUpNotice > levelUpNoticeFrames) {
        levelUpNotice = 0;
    } else {
        drawSprite(exSheet.get(), Rect{0, 18, 80, 36}, playerOffsetX + 283, playerOffsetY + 180);
        levelUpNotice += 1;
    }
    drawHitPointGauge();
    drawExperienceAndLevel();
    drawStaminaCells();
    countPlayTime();
}

}  // namespace varnholt
