// How the enemies move: chasing, keeping apart, detours and wandering.
#pragma once

#include <cstdint>

namespace varnholt {

// Called by the frame driver for each slot in turn, in this order.
void chaseEnemy(int32_t slot);
void separateEnemies(int32_t slot, int32_t other);
void steerEnemy(int32_t slot);

}  // namespace varnholt
