// How the enemies move: chasing the player when he is near on screen,
// keeping apart, sideways detours when blocked, random walks otherwise,
// and the re-arming of a killed enemy's replacement far off screen.
#pragma once

#include <cstdint>

namespace varnholt {

// Called by the frame driver for each slot s = 0..7 in turn, when the area
// is not the boss's, nothing is paused, the player plays and scene is 1:
// chaseEnemy(s), separateEnemies(s, o) for o = 0..7, steerEnemy(s), then
// the contact test. They move the slot's x and y and write its screen
// position, enemyBump, detours and random walk; movedX, movedY and
// chaseSteps carry one enemy's findings from the chase to the steering.
void chaseEnemy(int32_t slot);
void separateEnemies(int32_t slot, int32_t other);
void steerEnemy(int32_t slot);
// Called by steerEnemy: one frame of the slot's random walk.
void wanderEnemy(int32_t slot);

// The chase window, between the sprites' top-left corners on screen.
constexpr int32_t chaseReachX = 220;
constexpr int32_t chaseReachY = 165;

}  // namespace varnholt
