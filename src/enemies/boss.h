// The boss of area 1 and its shots.
#pragma once

namespace varnholt {

// Called by the frame driver in play where the enemies do not run.
void updateBossStats();
void moveBoss();
// Called by the frame driver where the enemies are not drawn.
void drawBoss();
void runBossAttacks();

}  // namespace varnholt
