#include "app/screens.h"

#include "app/digits.h"
#include "app/game_state.h"
#include "app/score_file.h"
#include "app/status_display.h"
#include "display/bitmaps.h"
#include "world/player.h"

namespace varnholt {

namespace {

constexpr int32_t quakeAt = 400;          // opening frame of the earthquake
constexpr int32_t fragmentsFrom = 440;
constexpr int32_t turnAt = 500;           // the figure turns to face up
constexpr int32_t walkAwayFrom = 580;
constexpr int32_t walkLimit = 450;
constexpr int32_t figureGoneBelow = -300;
constexpr int32_t joyMenuUp = 2000;
constexpr int32_t joyMenuDown = 62000;
constexpr int32_t endingPictureUntil = 765;
constexpr int32_t endingScoreAfter = 770;
constexpr int32_t endingOffset = 750;     // the ending's count-up runs 750 frames later than game over's
constexpr int32_t endingEnd = 1400;

bool keyDown(int key) { return (keyState[key] & keyDownBit) != 0; }

void drawFragment(int32_t& drift, int32_t frame, int32_t period, int32_t driftFrames,
                  const Rect& source, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (frame % period < driftFrames) drift += 1;
    drawSpriteScaled(openingSheet.get(), source, Rect{left, top + drift, right, bottom + drift});
}

void drawOpeningScene(int32_t f) {
    drawSprite(opening2Sheet.get(), Rect{shakeX + 5, 0, shakeX + 315, 240}, 0, 240);
    if (f <= 530) drawSprite(opening2Sheet.get(), Rect{0, 100, 45, 145}, 160, 344);
    if (f >= 430 && f <= 525) drawSprite(openingSheet.get(), Rect{210, 480, 235, 525}, introWalk / 3 + 13, 355);
    if (f >= 545 && f <= 560) drawSprite(openingSheet.get(), Rect{230, 480, 265, 515}, introWalk / 3 + 5, 360);
    if (f < fragmentsFrom) return;
    const int32_t d = f - 400;
    drawFragment(fragmentDrift[0], f, 45, 8, Rect{288, 488, 305, 505}, 170 - d / 7, d / 3 + 350,
                 187 - d / 7 + d / 20, d / 20 + 367 + d / 3);
    drawFragment(fragmentDrift[1], f, 40, 7, Rect{308, 488, 325, 505}, d / 10 + 180, d / 3 + 345,
                 d / 10 + 197 + d / 20, d / 20 + 362 + d / 3);
    drawFragment(fragmentDrift[2], f, 50, 8, Rect{328, 488, 345, 505}, 175, d / 3 + 355, d / 20 + 192,
                 d / 20 + 372 + d / 3);
}

void moveFigure(int32_t f) {
    if (f == quakeAt) quakeFrames = 100;
    if (f == turnAt && quakeFrames == 0) introFigureColumn = 0;
    introAnimCounter = (introAnimCounter + 1) % 70;
    introStep = introAnimCounter < 35 && (f <= 450 || f >= walkAwayFrom) ? 1 : 0;
    introWalk += 1;
    if (introWalk >= walkLimit) introWalk = walkLimit;
    if (f >= walkAwayFrom) introDepth -= 1;
    if (introDepth >= figureGoneBelow) {
        // Walking into the distance: up the screen and smaller.
        drawSpriteScaled(characterSheet.get(),
                         Rect{introFigureColumn, 64 * introStep, introFigureColumn + 64, 64 * introStep + 64},
                         Rect{introWalk / 3 - introDepth / 20, introDepth / 6 + 400, introWalk / 3 + 48,
                              introDepth / 6 + 448 + introDepth / 20});
    }
}

void moveCursor(int32_t step) {
    if (menuKeyLock == 0) {
        menuCursor = (menuCursor + step + 3) % 3;
        menuKeyLock = 1;
    }
}

void titleMenu() {
    drawSprite(openingSheet.get(), Rect{0, 376, 550, 483}, 30, 50);
    const bool joy = joystickPresent == 1 && fadingOut != 1;
    const bool up = keyDown(vk::Up) || (joy && joyY <= joyMenuUp);
    const bool down = keyDown(vk::Down) || (joy && joyY >= joyMenuDown);
    if (up) {
        moveCursor(-1);
    } else if (down) {
        moveCursor(+1);
    } else {
        menuKeyLock = 0;
    }
    // Shown for 21 frames, hidden for 7.
    if (cursorVisible == 1 && cursorBlink < 21) {
        cursorBlink += 1;
    } else if (cursorVisible == 0 && cursorBlink > 0) {
        cursorBlink -= 3;
    }
    if (cursorVisible == 1 && cursorBlink > 20) {
        cursorVisible = 0;
    } else if (cursorVisible == 0 && cursorBlink < 1) {
        cursorVisible = 1;
    }
    if (cursorVisible == 1) drawSprite(openingSheet.get(), Rect{26, 486, 200, 528}, 231, 300 + 60 * menuCursor);
    drawSprite(openingSheet.get(), Rect{25, 335, 157, 379}, 253, 300);
    drawSprite(openingSheet.get(), Rect{316, 335, 489, 373}, 232, 360);
    drawSprite(openingSheet.get(), Rect{165, 335, 305, 379}, 251, 420);
    if (keyDown(vk::C) || joyButtons == 1) {
        difficulty = menuCursor;
        fadingOut = 1;
        quakeFrames = 0;
    }
}

void opening() {
    openingFrame += 1;
    const int32_t f = openingFrame;
    platform().readKeyboard(keyState);
    pollJoystick();
    if (keyDown(vk::Return) || joyButtons == 2) titleScroll = 0;
    drawOpeningScene(f);
    moveFigure(f);
    // The title rises half a pixel a frame, cut so as never to reach
    // below the screen.
    const int32_t s = titleScroll >> 1;
    titleHeight = s + 390 > 479 ? 420 - s : 330;
    drawSprite(openingSheet.get(), Rect{0, 0, 550, titleHeight}, 50, s + 60);
    if (titleScroll < 1) {
        titleMenu();
    } else {
        titleScroll -= 1;
    }
}

void ending() {
    endingFrame += 1;
    const int32_t e = endingFrame;
    if (endingScroll > 0) endingScroll -= 1;
    const int32_t s = endingScroll >> 1;
    endingHeight = s + 358 > 479 ? 340 - s : 218;
    if (e <= endingPictureUntil) drawSprite(endingSheet.get(), Rect{0, 0, 471, endingHeight}, 90, s + 140);
    if (e > endingScoreAfter) {
        drawSprite(endingSheet.get(), Rect{0, 270, 67, 300}, 280, 130);
        score = 100 * fallCount + hp + 100 * level + 2 * exp - playSeconds + stamina / 100;
        if (bossAlive == 0) score += 5000 * difficulty;
        if (score < 1) score = 0;
        updateScoreFile();
        drawScoreCountUp(endingFrame, endingOffset, endingEnd);
    }
    if (endingFrame >= endingEnd) {
        drawSprite(endingSheet.get(), Rect{68, 269, 140, 285}, 565, 45);
        drawBestScore();
        drawSprite(endingSheet.get(), Rect{0, 220, 220, 269}, 215, 50);
    }
}

}  // namespace

int drawScreens() {
    drawStatusNotices();
    if (scene == 0) opening();
    if (scene > 0) drawStatusBar();
    if (scene == 2) ending();
    return 1;
}

}  // namespace varnholt
