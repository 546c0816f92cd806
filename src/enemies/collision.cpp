#include "enemies/collision.h"

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "enemies/roster.h"
#include "world/area_maps.h"

namespace varnholt {

Rect enemySrcRect = {0, 0, 0, 0};

namespace {

constexpr int32_t cell = 64;
constexpr int32_t spriteX = 288;
constexpr int32_t spriteY = 208;
constexpr int32_t wallReachX = 40;  // a character this close to a wall cell is pushed out
constexpr int32_t wallReachY = 45;
constexpr int32_t contactReachX = 32;
constexpr int32_t contactReachY = 45;
constexpr int32_t fallLength = 100;  // frames of the pit-fall animation
constexpr int32_t wallWalker = 1;    // the kind that passes through walls
constexpr int32_t outsideArea = 40;  // the area above the cave: reached by going down from 30

// A code that is neither wall nor floor: what lies beyond the area's edge.
constexpr int32_t beyondTheArea = -1;

int32_t cellAt(int32_t row, int32_t col) {
    if (row < 0 || row >= mapRows || row >= areaMapRows || col < 0 || col >= mapCols ||
        col >= areaMapCols) {
        return beyondTheArea;
    }
    return areaMap[row][col];
}

bool changeAllowed() { return fadingOut == 0 && fadingIn == 0; }

void startAreaChange(int32_t step, int32_t side) {
    areaId += step;
    entrySide = side;
    fadingOut = 1;
}

// The player stands on the pit: the area change starts, the fall plays for
// 100 frames while the fade-out waits, and near the fade-out's end the
// player is placed where he lands in the area above.
void fallIntoPit(int32_t code, int32_t sx, int32_t sy) {
    if (!(cellScreenX - 25 < sx && sx < cellScreenX + 25 && cellScreenY - 5 < sy &&
          sy < cellScreenY + 5 && code == pitCode && fallFrames < fallLength)) {
        return;
    }
    if (changeAllowed()) {
        areaId -= 10;
        fadingOut = 1;
    }
    if (fadeLevel == 0) fallFrames += 1;
    if (fallFrames >= 1) {
        const int32_t f = fallFrames;
        // The pit of area 40 shows at (448, 192): the view is held at that
        // map's top-right corner.
        drawSpriteScaled(backgroundSheet.get(), Rect{448, 0, 512, 64},
                         Rect{448 - 2 * f, 192 - f, 512, 256 + f});
        fallPose = (f / 20 + walkPhase) % 2;
        if (f <= 85) {
            drawSpriteScaled(characterSheet.get(),
                             Rect{cell * facing, cell * fallPose, cell * facing + cell,
                                  cell * fallPose + cell},
                             Rect{playerOffsetX + spriteX - 2 * f, playerOffsetY + spriteY - f,
                                  playerOffsetX + spriteX + cell, playerOffsetY + spriteY + cell + f});
        }
    }
    if (fallFrames == fallLength) fallFrames = 0;
    if (fadeLevel >= 232) {
        playerX = -160;
        playerY = 688;
        mapVariant = dirRoll[0] % 2;
        fallCount += 1;
        entrySide = 0;
    }
}

// Half of the sprite off the screen leads to the neighbouring area; the
// first edge that fires wins.
void leaveByEdge(int32_t sx, int32_t sy) {
    if (changeAllowed() && sx <= -32) startAreaChange(-1, 3);
    if (changeAllowed() && sx >= 608) startAreaChange(+1, 4);
    if (changeAllowed() && sy <= -32) startAreaChange(-10, 1);
    if (changeAllowed() && sy >= 448) {
        startAreaChange(+10, 2);
        if (areaId == outsideArea) entrySide = 0;
    }
}

// The push out of a wall along one axis: back to the side the character
// came from, judged by where it stood before it moved.
void pushAxis(int32_t screen, int32_t moved, int32_t cellScreen, int32_t reach, int32_t& push,
              int32_t& side) {
    const int32_t before = screen - moved;
    push = 0;
    side = 0;
    if (before <= cellScreen - reach) {
        push = cellScreen - reach - screen;
        side = -1;
    } else if (before >= cellScreen + reach) {
        push = cellScreen + reach - screen;
        side = +1;
    }
}

}  // namespace

void collideWithCell(int32_t x, int32_t y, int32_t prevX, int32_t prevY, int32_t who) {
    const bool player = who == playerWho;
    if (!player && (who < 0 || who >= enemySlotCount)) return;
    const int32_t row = curRow;
    const int32_t col = curCol;
    const int32_t code = cellAt(row, col);

    int32_t sx, sy;
    if (player) {
        cellScreenX = col * cell - scrollX;
        cellScreenY = row * cell - scrollY;
        sx = playerOffsetX + spriteX;
        sy = playerOffsetY + spriteY;
        fallIntoPit(code, sx, sy);
        leaveByEdge(sx, sy);
    } else {
        enemyScreenX[who] = x - scrollX;
        enemyScreenY[who] = y - scrollY;
        sx = enemyScreenX[who];
        sy = enemyScreenY[who];
    }

    if (!(cellScreenX - wallReachX < sx && sx < cellScreenX + wallReachX &&
          cellScreenY - wallReachY < sy && sy < cellScreenY + wallReachY && isWallCode(code))) {
        return;
    }
    if (!player && enemySlots[who].kind == wallWalker) return;

    int32_t pushX, pushY, sideX, sideY;
    pushAxis(sx, x - prevX, cellScreenX, wallReachX, pushX, sideX);
    pushAxis(sy, y - prevY, cellScreenY, wallReachY, pushY, sideY);
    if (!player) enemyBump[who] = 1;

    // Coming in diagonally at a corner: slide along the wall that goes on.
    if (sideX != 0 && sideY != 0) {
        const int32_t beside = cellAt(row, col + sideX);
        const int32_t aboveOrBelow = cellAt(row + sideY, col);
        if (isWallCode(beside) && isFloorCode(aboveOrBelow)) pushX = 0;
        if (isWallCode(aboveOrBelow) && isFloorCode(beside)) pushY = 0;
    }

    if (!player) {
        enemySlots[who].x += pushX;
        enemySlots[who].y += pushY;
        return;
    }
    if (pushX != 0) {
        playerX += pushX;
        if (pushedX == 1) prevPlayerX = playerX;
    }
    if (pushY != 0) {
        playerY += pushY;
        if (pushedY == 1) prevPlayerY = playerY;
    }
}

namespace {

// A knock-back hurts unless the player is still blinking from the last
// one; a hard push (the hardest difficulty, or a bad roll) hurts double on
// the roll.
void hurtPlayer(const EnemySlot& enemy) {
    if (playerHitTimer != 0) return;
    hp -= roll300 == 1 ? 2 * enemy.power : enemy.power;
    playerHitTimer = 60 - 30 * difficulty;
}

}  // namespace

void enemyContact(int32_t s) {
    if (s < 0 || s >= enemySlotCount) return;
    EnemySlot& enemy = enemySlots[s];
    const int32_t px = playerScreenX;
    const int32_t py = playerScreenY;
    const int32_t ex = enemyScreenX[s];
    const int32_t ey = enemyScreenY[s];
    if (!(-contactReachX < px - ex && px - ex < contactReachX && -contactReachY < py - ey &&
          py - ey < contactReachY && fadingOut == 0 && fadingIn == 0 && enemy.active == 1)) {
        return;
    }
    contactFrames[s] += 1;

    const bool hard = difficulty == 2 || roll300 == 1;
    constexpr int32_t hardThrow = 30;
    // Where both stood as the frame began, read afresh for each test, since
    // a test that fires moves them.
    auto playerStartX = [&] { return px - (playerX - prevPlayerX); };
    auto playerStartY = [&] { return py - (playerY - prevPlayerY); };
    auto enemyStartX = [&] { return ex - (enemy.x - enemy.prevX); };
    auto enemyStartY = [&] { return ey - (enemy.y - enemy.prevY); };
    auto knockBack = [&](int32_t& enemyPos, int32_t enemyStep, int32_t& playerPos,
                         int32_t& prevPlayerPos, int32_t playerMove, int32_t extra,
                         int32_t& pushed) {
        enemyPos += enemyStep;
        if (hard) prevPlayerPos = playerPos;
        playerPos += playerMove;
        if (hard) playerPos += extra;
        hurtPlayer(enemy);
        enemyBump[s] = 20;
        pushed = 1;
        contactFrames[s] = 0;
    };

    if (enemy.active == 1 && playerStartX() >= enemyStartX() + contactReachX) {
        knockBack(enemy.x, -enemy.speed, playerX, prevPlayerX, ex + 31 - px, hardThrow, pushedX);
    }
    if (enemy.active == 1 && playerStartX() <= enemyStartX() - contactReachX) {
        knockBack(enemy.x, enemy.speed, playerX, prevPlayerX, -(px - (ex - 31)), -hardThrow, pushedX);
    }
    if (enemy.active == 1 && playerStartY() >= enemyStartY() + contactReachY) {
        knockBack(enemy.y, -enemy.speed, playerY, prevPlayerY, ey + 44 - py, hardThrow, pushedY);
    }
    if (enemy.active == 1 && playerStartY() <= enemyStartY() - contactReachY) {
        knockBack(enemy.y, enemy.speed, playerY, prevPlayerY, -(py - (ey - 44)), -hardThrow, pushedY);
    }

    // Staying overlapped drains a thirtieth of the hit points and a
    // twentieth of the stamina every 30 frames, blinking or not.
    if (contactFrames[s] >= 30) {
        hp -= maxHp / 30;
        stamina -= maxStamina / 20;
        contactFrames[s] = 0;
        idleFrames = 0;
    }
}

void prepareEnemySprite(int32_t kind, int32_t s) {
    if (s < 0 || s >= enemySlotCount) return;
    const EnemySlot& enemy = enemySlots[s];
    const int32_t sx = enemy.x - scrollX;
    const int32_t sy = enemy.y - scrollY;
    const int32_t left = cell * kind;
    Rect source{left, 0, left + cell, cell};
    if (sx < 1) source.left += -sx;
    if (sx + cell > screenWidth - 1) source.right = left + screenWidth - sx;
    if (sy < 1) source.top += -sy;
    if (sy + cell > screenHeight - 1) source.bottom = screenHeight - sy;
    enemySrcRect = source;
    enemyScreenX[s] = sx + (source.left - left);
    enemyScreenY[s] = sy + source.top;
}

}  // namespace varnholt
