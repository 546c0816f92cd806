#include "enemies/boss.h"

namespace varnholt {

// The boss does not appear yet.
void updateBossStats() {}
void moveBoss() {}
void drawBoss() {}
void runBossAttacks() {}

}  // namespace varnholt
