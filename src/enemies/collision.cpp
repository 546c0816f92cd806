#include "enemies/collision.h"

namespace varnholt {

Rect enemySrcRect = {0, 0, 0, 0};

// Walls, pits and contact do nothing yet.
void collideWithCell(int32_t&, int32_t&, int32_t&, int32_t&, int32_t) {}
void enemyContact(int32_t) {}
void prepareEnemySprite(int32_t, int32_t) {}

}  // namespace varnholt
