#include "world/transitions.h"

#include "app/game_state.h"
#include "display/palette.h"
#include "enemies/roster.h"
#include "world/area_maps.h"
#include "world/camera.h"

namespace varnholt {

namespace {

constexpr int32_t fadeStep = 8;
constexpr int32_t fadeTurn = 256;        // 32 steps of 8: a full turn of a colour byte
constexpr int32_t installAtLevel = 240;  // the fade-out level at which the area changes
constexpr int32_t bossArea = 1;

void darken(uint8_t& byte) {
    if (byte != 0) byte = static_cast<uint8_t>(byte - fadeStep);
}

void brighten(uint8_t& byte, uint8_t saved) {
    if (byte < saved) byte = static_cast<uint8_t>(byte + fadeStep);
}

// The layout of an area and where the player arrives in it, by the side
// he comes in from. Answers null for an area that does not exist.
const MapLayout* arrive(int32_t area) {
    switch (area) {
    case 1:
        playerY = 432;
        playerX -= 256;
        return &layout1;
    case 10:
        if (entrySide == 1) playerY = 688;
        if (entrySide == 3) playerX = 608;
        return fallCount > 2 && mapVariant != 0 ? &layout10Alt : &layout10;
    case 11:
        if (entrySide == 2) {
            playerX += 256;
            playerY = -208;
        }
        if (entrySide == 3) playerX = 992;
        if (entrySide == 4) playerX = -288;
        return &layout11;
    case 12:
        if (entrySide == 1) playerY = 688;
        if (entrySide == 4) playerX = -288;
        return fallCount > 2 && mapVariant == 0 ? &layout12Alt : &layout12;
    case 20:
        if (entrySide == 1) playerY = 816;
        if (entrySide == 2) playerY = -208;
        return &layout20;
    case 22:
        if (entrySide == 1) {
            playerY = 816;
            playerX -= 128;
        }
        if (entrySide == 2) playerY = -208;
        return &layout22;
    case 30:
        if (entrySide == 2) playerY = -208;
        if (entrySide == 3) playerX = 608;
        return fallCount == 1 ? &layout30First : &layout30;
    case 31:
        if (entrySide == 3) playerX = 736;
        if (entrySide == 4) playerX = -288;
        return &layout31;
    case 32:
        if (entrySide == 2) {
            playerY = -208;
            playerX += 128;
        }
        if (entrySide == 4) playerX = -288;
        return &layout32;
    case 40:
        if (entrySide == 0 && fallCount >= 1) {
            // Up out of the cave: just below the pit, as the ground shakes.
            playerX = 864;
            playerY = 48;
            quakeFrames = 100;
        } else if (entrySide == 0) {
            playerX = -224;
            playerY = 814;
        }
        return &layout40;
    default:
        return nullptr;
    }
}

}  // namespace

void fadeOutStep() {
    readPalette(workPalette);
    fadeLevel += fadeStep;
    for (PaletteEntry& entry : workPalette) {
        darken(entry.red);
        darken(entry.green);
        darken(entry.blue);
    }
    writePalette(workPalette);
    if (fadeLevel >= fadeTurn) {
        fadeLevel = 0;
        fadingOut = 0;
        fadingIn = 1;
        setUpEnemies(areaId, 1, 0);
    }
}

void fadeInStep() {
    readPalette(workPalette);
    fadeInLevel += fadeStep;
    fadingOut = 0;
    for (int i = 0; i < 256; ++i) {
        brighten(workPalette[i].red, paletteCopy[i].red);
        brighten(workPalette[i].green, paletteCopy[i].green);
        brighten(workPalette[i].blue, paletteCopy[i].blue);
    }
    writePalette(workPalette);
    if (fadeInLevel >= fadeTurn) {
        fadeInLevel = 0;
        fadingIn = 0;
    }
}

void loadArea() {
    if (fadeLevel != installAtLevel) return;
    // An area number without a layout (beyond a walled-in opening) keeps
    // the old area in place under the new number.
    if (const MapLayout* layout = arrive(areaId)) {
        mapCols = layout->cols;
        mapRows = layout->rows;
        installLayout(*layout);
    }
    if (areaId == bossArea) {
        bossNotice = 300;
        bossAlive = 1;
        bossX = 200;
        bossY = 200;
        bossHp = level * 5 + playSeconds / 2;
        for (EnemySlot& enemy : enemySlots) enemy.active = 0;
    }
    scene = 1;
}

}  // namespace varnholt
