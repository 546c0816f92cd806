// The shared game variables: the player's statistics and position, the
// area and view, the scene, fades, flags, the frame's random rolls, input
// copies and the shared loop counters. Every one is a process-wide signed
// 32-bit integer; each subsystem reads and writes them directly.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace varnholt {

// name, value when the program starts
#define VARNHOLT_GAME_STATE(X) \
    /* application and platform */ \
    X(displayMode, 2)     X(appActive, 0)     X(joystickPresent, 0) \
    X(joyX, 0)            X(joyY, 0)          X(joyButtons, 0) \
    /* flow of the game */ \
    X(scene, 0)           X(playing, 0)       X(bossAlive, 0) \
    X(paused, 0)          X(fadingOut, 0)     X(fadeLevel, 0) \
    X(fadingIn, 0)        X(fadeInLevel, 0)   X(entrySide, 0) \
    X(quakeFrames, 0)     X(shakeX, 0)        X(quakeNotice, 0) \
    X(bossNotice, 0)      X(levelUpNotice, 0) X(fallFrames, 0) \
    X(fallCount, 0)       X(mapVariant, 0)    X(difficulty, 0) \
    X(score, 0)           X(bestScore, 0)     X(playSeconds, 0) \
    /* player */ \
    X(playerX, -224)      X(playerY, 814)     X(prevPlayerX, 0) \
    X(prevPlayerY, 0)     X(pushedX, 0)       X(pushedY, 0) \
    X(facing, 1)          X(attack, 0)        X(maxHp, 0) \
    X(hp, 0)              X(exp, 0)           X(level, 0) \
    X(maxStamina, 0)      X(stamina, 0)       X(swordFrames, 0) \
    X(idleFrames, 0)      X(walkPhase, 0)     X(playerHitTimer, 0) \
    X(playerScreenX, 0)   X(playerScreenY, 0) \
    /* area, view and iteration */ \
    X(areaId, 40)         X(mapCols, 21)      X(mapRows, 18) \
    X(scrollX, 0)         X(scrollY, 0)       X(playerOffsetX, 0) \
    X(playerOffsetY, 0)   X(cellScreenX, 0)   X(cellScreenY, 0) \
    X(curRow, 0)          X(curCol, 0) \
    /* the frame's random rolls */ \
    X(roll1000, 0)        X(roll300, 0)       X(roll500, 0) \
    /* player control: one frame's moves carried into the next */ \
    X(movingUp, 0)        X(movingDown, 0)    X(movingLeft, 0) \
    X(movingRight, 0)     X(stepBonus, 0)     X(walkCounter, 0) \
    X(healFrames, 0)      X(exhaustion, 0)    X(chargeFrames, 0) \
    X(pauseKeyHeld, 0) \
    /* tiles, pit fall */ \
    X(tileClock, 0)       X(fallPose, 0) \
    /* the enemy being updated: scratch, 0 between enemies */ \
    X(movedX, 0)          X(movedY, 0)        X(chaseSteps, 0) \
    /* the boss */ \
    X(bossX, 0)           X(bossY, 0)         X(bossHp, 0) \
    X(bossPrevX, 0)       X(bossPrevY, 0)     X(bossScreenX, 0) \
    X(bossScreenY, 0)     X(bossHitTimer, 0)  X(bossRunX, 0) \
    X(bossRunY, 0)        X(bossCharge, 0)    X(bossVolleyA, 0) \
    X(bossVolleyB, 0)     X(bossPose, 0)      X(bossSpeed, 0) \
    X(bossChargeDamage, 0) X(shotDamageA, 0)  X(shotDamageB, 0) \
    X(bossTouchDamage, 0) X(shotScreenX, 0)   X(shotScreenY, 0) \
    /* game over */ \
    X(gameOverFrames, 0) \
    /* opening and ending */ \
    X(openingFrame, 0)    X(titleScroll, 700) X(introWalk, 0) \
    X(introDepth, 0)      X(introAnimCounter, 0) X(introStep, 0) \
    X(introFigureColumn, 64) X(titleHeight, 0) X(menuCursor, 0) \
    X(menuKeyLock, 0)     X(cursorVisible, 1) X(cursorBlink, 0) \
    X(endingFrame, 0)     X(endingScroll, 600) X(endingHeight, 0) \
    /* status display */ \
    X(startNotice, 0)     X(bossNoticePhase, 0) X(wallClock, 0) \
    X(prevWallClock, 0)

#define VARNHOLT_DECLARE(name, start) extern int32_t name;
VARNHOLT_GAME_STATE(VARNHOLT_DECLARE)
#undef VARNHOLT_DECLARE

extern uint8_t keyState[256];  // bit 7 set = key down
extern JoyInfo joyInfo;        // joystick 0 as last queried
extern int32_t dirRoll[8];     // one direction roll 0..7 per enemy slot
extern int32_t fragmentDrift[3];  // the opening's three falling fragments: drift counters

// Opaque handles of the platform objects the game passes around.
extern int32_t appInstance;
extern int32_t mainWindow;

// Puts every variable above back to its value at program start. The game
// itself never does this (there is no new-game reset); tests do.
void resetGameState();

}  // namespace varnholt
