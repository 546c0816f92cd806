// Collision of the player and the enemies with the map cells, enemy
// contact with the player, and where each enemy is drawn.
#pragma once

#include <cstdint>

#include "display/display.h"

namespace varnholt {

extern Rect enemySrcRect;  // the source rectangle of the enemy being drawn

// Called by the frame driver for every map cell (curRow, curCol), for the
// player (who = 8) and each enemy slot (who = the slot).
void collideWithCell(int32_t& x, int32_t& y, int32_t& prevX, int32_t& prevY, int32_t who);
// Called by the frame driver for each slot after it moved.
void enemyContact(int32_t slot);
// Called by the frame driver before each slot is drawn.
void prepareEnemySprite(int32_t kind, int32_t slot);

}  // namespace varnholt
