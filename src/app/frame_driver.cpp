#include "app/frame_driver.h"

#include "app/frame_stats.h"
#include "app/game_state.h"
#include "app/random.h"
#include "app/screens.h"
#include "app/window_commands.h"
#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "enemies/behaviour.h"
#include "enemies/boss.h"
#include "enemies/collision.h"
#include "enemies/roster.h"
#include "platform/files.h"
#include "world/area_maps.h"
#include "world/camera.h"
#include "world/game_over.h"
#include "world/player.h"
#include "world/player_attack.h"
#include "world/transitions.h"

namespace varnholt {

uint32_t lastFrameTime = 0;
bool firstFrameTaken = false;
uint32_t framesRun = 0;
uint32_t frameLimit = 0;
void (*atFrameLimit)() = nullptr;

namespace {

constexpr int32_t bossArea = 1;

// Waits until 16 ms have passed since the previous frame was released.
// The unsigned difference survives the clock's wrap-around.
void waitForFrameTime() {
    for (;;) {
        const uint32_t now = platform().clockMs();
        const uint32_t elapsed = now - lastFrameTime;
        if (elapsed >= frameMilliseconds) {
            lastFrameTime = now;
            return;
        }
        platform().waitMs(frameMilliseconds - elapsed);
    }
}

void drawRolls() {
    for (int32_t& roll : dirRoll) roll = drawRandom() & 7;
    roll1000 = drawRandom() % 1000;
    roll300 = drawRandom() % 300;
    roll500 = drawRandom() % 500;
}

void decideMusic() {
    if (scene == 0 && fadingOut == 0 && fadingIn == 0) startMusic(1);
    if (scene == 2 || fadingOut == 1 || fadingIn == 1 || playing == 0) stopMusic();
    if (scene == 1 && fadeInLevel >= 248) openMusic("音楽/back.mds", mainWindow);
    if (scene == 1 && fadingOut == 0 && fadingIn == 0 && playing == 1) startMusic(1);
}

void earthquakeStep() {
    if (quakeFrames > 0 && playing == 1) {
        playSound(SoundEffect::Earthquake);
        shakeX = (quakeFrames & 1) ? -5 : 5;
        --quakeFrames;
        if (quakeFrames == 2 && scene == 1) quakeNotice = 150;
    } else {
        shakeX = 0;
    }
}

// The rows and columns of the current area that the live map holds.
bool insideMap(int32_t row, int32_t col) {
    return row < mapRows && row < areaMapRows && col < mapCols && col < areaMapCols;
}

void cellPass() {
    for (curRow = 0; insideMap(curRow, 0); ++curRow) {
        for (curCol = 0; insideMap(curRow, curCol); ++curCol) {
            updateCamera();
            collideWithCell(playerX, playerY, prevPlayerX, prevPlayerY, 8);
            if (scene == 1 && areaId != bossArea) {
                for (int32_t s = 0; s < enemySlotCount; ++s) {
                    EnemySlot& enemy = enemySlots[s];
                    collideWithCell(enemy.x, enemy.y, enemy.prevX, enemy.prevY, s);
                }
            }
        }
    }
}

void enemiesOrBoss() {
    if (areaId != bossArea && paused == 0 && playing == 1 && scene == 1) {
        for (curRow = 0; curRow < enemySlotCount; ++curRow) {
            chaseEnemy(curRow);
            for (int32_t other = 0; other < enemySlotCount; ++other) separateEnemies(curRow, other);
            steerEnemy(curRow);
            enemyContact(curRow);
        }
    } else if (scene == 1) {
        updateBossStats();
        moveBoss();
    }
}

void pushPass() {
    for (curRow = 0; insideMap(curRow, 0); ++curRow) {
        for (curCol = 0; insideMap(curRow, curCol); ++curCol) {
            if (pushedX == 1 || pushedY == 1) {
                updateCamera();
                collideWithCell(playerX, playerY, prevPlayerX, prevPlayerY, 8);
            }
        }
    }
}

void drawEnemiesOrBoss() {
    if (areaId != bossArea && scene == 1) {
        for (curRow = 0; curRow < enemySlotCount; ++curRow) {
            prepareEnemySprite(enemySlots[curRow].kind, curRow);
            if (enemySlots[curRow].active == 1 && fadingOut == 0 &&
                enemyHitTimer[curRow] % 2 == 0) {
                drawSprite(enemySheet.get(), enemySrcRect, enemyScreenX[curRow],
                           enemyScreenY[curRow]);
            }
        }
    } else if (fadingOut == 0 && (scene == 1 || scene == 2)) {
        drawBoss();
        runBossAttacks();
    }
}

void drawSwordSwing() {
    if (swordFrames < 1 || swordFrames > 3 || playing != 1 || fadingOut != 0 || fadingIn != 0) {
        return;
    }
    static const int32_t offsetX[4] = {288, 340, 288, 233};
    static const int32_t offsetY[4] = {152, 208, 260, 208};
    if (facing < 0 || facing > 3) return;
    const int32_t left = ((swordFrames >> 1) + 2 * facing) * 64;
    drawSprite(swordSheet.get(), Rect{left, 0, left + 64, 64}, playerOffsetX + offsetX[facing],
               playerOffsetY + offsetY[facing]);
}

}  // namespace

int runMessageLoop() {
    for (;;) {
        WindowMessage message{};
        if (platform().takeMessage(message)) {
            if (message.kind == MessageKind::Quit) {
                releaseDisplay();
                // No notice of the music may arrive while the program ends.
                closeMusic();
                return message.param;
            }
            windowProc(message);
        } else if (appActive != 0) {
            runFrame();
            if (frameLimit != 0 && framesRun == frameLimit) {
                if (atFrameLimit != nullptr) atFrameLimit();
                platform().postMessage({MessageKind::Quit, 0});
            }
        } else {
            platform().waitMessage();
        }
    }
}

int runFrame() {
    platform().startFrame();
    ++framesRun;
    if (!firstFrameTaken) {
        lastFrameTime = platform().clockMs();
        firstFrameTaken = true;
    }
    restoreIfLost();
    clearBackBuffer();
    waitForFrameTime();
    frameReleased();
    seedRandom(platform().clockMs());
    drawRolls();
    decideMusic();
    pollCommandKeys();

    if (pushedX == 1) pushedX = 0; else prevPlayerX = playerX;
    if (pushedY == 1) pushedY = 0; else prevPlayerY = playerY;

    joyX = static_cast<int32_t>(joyInfo.x);
    joyY = static_cast<int32_t>(joyInfo.y);
    joyButtons = static_cast<int32_t>(joyInfo.buttons);

    if (scene == 1 && quakeFrames < 1 && playing == 1) {
        controlPlayer();
    } else {
        // A blow begun just before a quake or death must not go on
        // striking while the player cannot act.
        swordFrames = 0;
        chargeFrames = 0;
    }
    earthquakeStep();
    playerAttack();
    drawTiles();
    cellPass();
    enemiesOrBoss();
    pushPass();
    drawEnemiesOrBoss();
    drawPlayer();
    drawSwordSwing();

    if (fadingOut == 1 && fadingIn == 0 && fallFrames == 0) fadeOutStep();
    if (fadingIn == 1) fadeInStep();
    loadArea();
    if (hp < 1) {
        gameOverStep();
        if (scene == 2) scene = 1;
    }
    drawScreens();
    frameWorkDone();
    present();
    framePresented();
    return 1;
}

}  // namespace varnholt
