// Where characters meet their surroundings: the cell collision that keeps
// the player and the enemies out of walls (and, for the player, finds the
// pit and the screen edges that lead to the next area), the contact of an
// enemy with the player, and the clipping of each enemy's sprite.
#pragma once

#include <cstdint>

#include "display/display.h"

namespace varnholt {

extern Rect enemySrcRect;  // the source rectangle of the enemy being drawn

constexpr int32_t playerWho = 8;  // collideWithCell's `who` for the player

// Called by the frame driver for every cell (curRow, curCol) of the map:
// first for the player (playerX, playerY, prevPlayerX, prevPlayerY, 8),
// then in play outside the boss area for each enemy slot (its x, y, prevX,
// prevY, slot); after a knock-back again for the player alone. Pushes the
// character out of a wall cell; for the player also starts the pit fall
// (fallFrames, fallPose, fallCount, mapVariant) and the area change at a
// screen edge (areaId, entrySide, fadingOut). Writes cellScreenX and
// cellScreenY for the player, the slot's screen position and enemyBump for
// an enemy.
void collideWithCell(int32_t x, int32_t y, int32_t prevX, int32_t prevY, int32_t who);
// Called by the frame driver right after steerEnemy(slot): knock-back,
// damage and the slow drain of an overlapping enemy. Writes playerX,
// playerY, prevPlayerX, prevPlayerY, pushedX, pushedY, hp, stamina,
// playerHitTimer, idleFrames and the slot's position, bump and contact
// count.
void enemyContact(int32_t slot);
// Called by the frame driver before each slot is drawn: sets enemySrcRect
// to the part of the slot's sprite that lies on the screen and the slot's
// screen position to where that part is drawn.
void prepareEnemySprite(int32_t kind, int32_t slot);

}  // namespace varnholt
