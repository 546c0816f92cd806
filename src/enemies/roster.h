// The eight enemy slots and their per-area set-up.
#pragma once

#include <cstdint>

namespace varnholt {

struct EnemySlot {
    int32_t kind;
    int32_t power;
    int32_t hp;
    int32_t expValue;
    int32_t expLevel;
    int32_t speed;
    int32_t spare;
    int32_t x;
    int32_t prevX;
    int32_t y;
    int32_t prevY;
    int32_t active;
};

constexpr int enemySlotCount = 8;

extern EnemySlot enemySlots[enemySlotCount];
extern int32_t enemyScreenX[enemySlotCount];
extern int32_t enemyScreenY[enemySlotCount];
extern int32_t enemyBump[enemySlotCount];
extern int32_t detourX[enemySlotCount];
extern int32_t detourY[enemySlotCount];
extern int32_t wanderX[enemySlotCount];
extern int32_t wanderY[enemySlotCount];
extern int32_t contactFrames[enemySlotCount];
extern int32_t enemyHitTimer[enemySlotCount];

// Called at start-up, on entering an area (all = 1) and after a kill
// (all ≠ 1, one slot).
void setUpEnemies(int32_t area, int32_t all, int32_t slot);

}  // namespace varnholt
