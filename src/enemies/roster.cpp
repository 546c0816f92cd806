#include "enemies/roster.h"

namespace varnholt {

EnemySlot enemySlots[enemySlotCount] = {};
int32_t enemyScreenX[enemySlotCount] = {};
int32_t enemyScreenY[enemySlotCount] = {};
int32_t enemyBump[enemySlotCount] = {};
int32_t detourX[enemySlotCount] = {};
int32_t detourY[enemySlotCount] = {};
int32_t wanderX[enemySlotCount] = {};
int32_t wanderY[enemySlotCount] = {};
int32_t contactFrames[enemySlotCount] = {};
int32_t enemyHitTimer[enemySlotCount] = {};

// The rosters are not written yet: every slot stays empty.
void setUpEnemies(int32_t, int32_t, int32_t) {}

}  // namespace varnholt
