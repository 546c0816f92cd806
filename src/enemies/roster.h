// The eight enemy slots and their per-area set-up.
//
// The world never holds more than eight ordinary enemies. Each ordinary
// area (10, 11, 12, 20, 22, 30, 31, 32, 40) has its own roster of eight;
// kinds, speeds and home positions are fixed, strengths grow with the play
// time, and in the later areas with the player's level and attack.
#pragma once

#include <cstdint>

namespace varnholt {

struct EnemySlot {
    int32_t kind;      // 0..5: the enemy sheet's column; kind 1 passes through walls
    int32_t power;     // hit points one contact hit takes from the player
    int32_t hp;
    int32_t expValue;  // experience awarded for the kill
    int32_t expLevel;  // the full award up to this player level, less above it
    int32_t speed;     // pixels per frame of chasing, wandering and being pushed back
    int32_t spare;     // 1 after every set-up; nothing reads it
    int32_t x;         // world position of the sprite's top-left corner
    int32_t prevX;     // x as it was when this frame's update began
    int32_t y;
    int32_t prevY;
    int32_t active;    // 1 in play; 0 killed, or a replacement not yet re-armed
};

constexpr int enemySlotCount = 8;

extern EnemySlot enemySlots[enemySlotCount];
// Per slot, beside the records:
extern int32_t enemyScreenX[enemySlotCount];   // position on the screen (clipped once drawn)
extern int32_t enemyScreenY[enemySlotCount];
extern int32_t enemyBump[enemySlotCount];      // 1 after a wall or an enemy blocked it, 20 after touching the player
extern int32_t detourX[enemySlotCount];        // frames left of a sideways detour, the sign its direction
extern int32_t detourY[enemySlotCount];
extern int32_t wanderX[enemySlotCount];        // frames left of a random walk, the sign its direction
extern int32_t wanderY[enemySlotCount];
extern int32_t contactFrames[enemySlotCount];  // frames of overlap with the player since the last hit
extern int32_t enemyHitTimer[enemySlotCount];  // protection after the player's blow; not drawn when odd

// Called by start-up (area 40, all = 1), at the end of every area change's
// fade-out (the new area, all = 1) and after a kill (the area, all ≠ 1,
// the killed slot). Sets every slot's expLevel and the chosen slots' other
// fields; leaves prevX, prevY and the per-slot arrays alone. Does nothing
// for an area without a roster.
void setUpEnemies(int32_t area, int32_t all, int32_t slot);

// Called by resetGameState: every slot and per-slot array back to 0.
void resetEnemies();

}  // namespace varnholt
