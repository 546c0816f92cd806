#include "enemies/behaviour.h"

#include "app/game_state.h"
#include "enemies/roster.h"

namespace varnholt {

namespace {

constexpr int32_t runLength = 100;  // frames of one detour or random walk
// How close two active enemies may come, between top-left corners.
constexpr int32_t apartX = 45;
constexpr int32_t apartY = 40;
// Beyond these distances from the player's sprite a replacement comes back
// into play unseen.
constexpr int32_t rearmRight = 432;
constexpr int32_t rearmLeft = 338;
constexpr int32_t rearmBelow = 352;
constexpr int32_t rearmAbove = 258;

// Chasing is halted by fades and earthquakes; wandering only by a fade-in
// or an earthquake.
bool nothingHolds() { return fadingOut == 0 && fadingIn == 0 && quakeFrames <= 0; }

// A step toward the player along one axis, taken back when it would
// overshoot the player's line; the correction applies to an inactive
// enemy, which took no step, too.
void stepToward(int32_t& position, int32_t& screen, int32_t scroll, int32_t speed, bool forward,
                bool active, int32_t& moved, int32_t playerScreen) {
    const int32_t before = screen;
    chaseSteps += 1;
    moved = 1;
    if (active) position += forward ? speed : -speed;
    const bool overshoots = forward ? playerScreen < before + speed : playerScreen > before - speed;
    if (overshoots) {
        position += forward ? -speed : speed;
        moved = 0;
    }
    screen = position - scroll;
}

}  // namespace

void chaseEnemy(int32_t s) {
    EnemySlot& enemy = enemySlots[s];
    enemy.prevX = enemy.x;
    enemy.prevY = enemy.y;
    int32_t& ex = enemyScreenX[s];
    int32_t& ey = enemyScreenY[s];
    ex = enemy.x - scrollX;
    ey = enemy.y - scrollY;
    const int32_t px = playerScreenX;
    const int32_t py = playerScreenY;
    const bool active = enemy.active == 1;

    const bool levelY = py < ey + chaseReachY && py + chaseReachY > ey;
    if (px > ex && nothingHolds() && px < ex + chaseReachX && levelY) {
        stepToward(enemy.x, ex, scrollX, enemy.speed, true, active, movedX, px);
    } else if (px < ex && nothingHolds() && px + chaseReachX > ex && levelY) {
        stepToward(enemy.x, ex, scrollX, enemy.speed, false, active, movedX, px);
    }

    const bool levelX = px < ex + chaseReachX && px + chaseReachX > ex;
    if (py > ey && nothingHolds() && py < ey + chaseReachY && levelX) {
        stepToward(enemy.y, ey, scrollY, enemy.speed, true, active, movedY, py);
    } else if (py < ey && nothingHolds() && py + chaseReachY > ey && levelX) {
        stepToward(enemy.y, ey, scrollY, enemy.speed, false, active, movedY, py);
    }
}

void separateEnemies(int32_t s, int32_t o) {
    if (o == s || enemySlots[s].active != 1 || enemySlots[o].active != 1) return;
    EnemySlot& enemy = enemySlots[s];
    const int32_t dx = enemyScreenX[o] - enemyScreenX[s];
    const int32_t dy = enemyScreenY[o] - enemyScreenY[s];
    const int32_t sp = enemy.speed;
    const bool besideY = -apartY < dy && dy < apartY;
    const bool besideX = -apartX < dx && dx < apartX;
    if (0 < dx && dx < sp + apartX && besideY) {
        enemy.x -= sp;
        enemyBump[s] = 1;
    }
    if (-(sp + apartX) < dx && dx < 0 && besideY) {
        enemy.x += sp;
        enemyBump[s] = 1;
    }
    if (0 < dy && dy < sp + apartY && besideX) {
        enemy.y -= sp;
        enemyBump[s] = 1;
    }
    if (-(sp + apartY) < dy && dy < 0 && besideX) {
        enemy.y += sp;
        enemyBump[s] = 1;
    }
}

namespace {

// One frame of a detour while the enemy is still blocked; a detour
// without a block ends.
void detourStep(int32_t& frames, int32_t& position, int32_t speed, bool blocked) {
    if (frames > 0 && blocked) {
        position += 2 * speed;
        frames -= 1;
    } else if (frames < 0 && blocked) {
        position -= 2 * speed;
        frames += 1;
    } else {
        frames = 0;
    }
}

void wanderStep(int32_t& frames, int32_t& position, int32_t speed) {
    if (frames > 0) {
        position += speed;
        frames -= 1;
    }
    if (frames < 0) {
        position -= speed;
        frames += 1;
    }
}

}  // namespace

void steerEnemy(int32_t s) {
    EnemySlot& enemy = enemySlots[s];
    const bool blocked = enemyBump[s] >= 1;
    const int32_t sideways = dirRoll[0] % 2 == 0 ? runLength : -runLength;
    // Blocked while chasing along one axis: try the other.
    if (movedX == 1 && movedY == 0 && blocked) detourY[s] = sideways;
    if (movedX == 0 && movedY == 1 && blocked) detourX[s] = sideways;
    detourStep(detourY[s], enemy.y, enemy.speed, blocked);
    detourStep(detourX[s], enemy.x, enemy.speed, blocked);

    const int32_t px = playerScreenX;
    const int32_t py = playerScreenY;
    const int32_t ex = enemyScreenX[s];
    const int32_t ey = enemyScreenY[s];
    if (chaseSteps == 0 && (px != ex || py != ey) && fadingIn == 0 && quakeFrames <= 0) {
        wanderEnemy(s);
        detourX[s] = 0;
        detourY[s] = 0;
    } else {
        wanderX[s] = 0;
        wanderY[s] = 0;
    }

    if (ex > px + rearmRight || ex < px - rearmLeft || ey > py + rearmBelow || ey < py - rearmAbove) {
        enemy.active = 1;
    }

    movedX = 0;
    movedY = 0;
    enemyBump[s] -= 1;
    chaseSteps = 0;
}

void wanderEnemy(int32_t s) {
    // Left, up-left, up, up-right, right, down-right, down, down-left.
    static const int32_t startX[8] = {-runLength, -runLength, 0, runLength,
                                      runLength,  runLength,  0, -runLength};
    static const int32_t startY[8] = {0,         -runLength, -runLength, -runLength,
                                      0,         runLength,  runLength,  runLength};
    if (wanderX[s] == 0 && wanderY[s] == 0) {
        const int32_t d = dirRoll[s] & 7;
        wanderX[s] = startX[d];
        wanderY[s] = startY[d];
    }
    EnemySlot& enemy = enemySlots[s];
    wanderStep(wanderX[s], enemy.x, enemy.speed);
    wanderStep(wanderY[s], enemy.y, enemy.speed);
}

}  // namespace varnholt
