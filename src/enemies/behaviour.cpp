#include "enemies/behaviour.h"

namespace varnholt {

// The enemies stand still yet.
void chaseEnemy(int32_t) {}
void separateEnemies(int32_t, int32_t) {}
void steerEnemy(int32_t) {}

}  // namespace varnholt
