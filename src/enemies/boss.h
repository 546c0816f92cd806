// The boss of area 1 and its shots.
//
// One 128×128 sprite that roams in short random runs, now and then charges
// vertically across the arena, and fires two kinds of homing shots that
// sway sideways along a sine curve. Its strengths follow the player's
// statistics and the play time every frame.
#pragma once

#include <cstdint>

#include "display/display.h"

namespace varnholt {

struct BossShot {
    int32_t kind;   // 0 free; 1 fired in volley A; 2 in volley B. Enemy sheet cell kind + 5
    int32_t drawX;  // world position drawn: the path plus the sway
    int32_t drawY;
    int32_t x;      // world position of the shot's path
    int32_t y;
    int32_t life;   // frames left: 300 for kind 1, 500 for kind 2 at firing
};

constexpr int bossShotCount = 8;
constexpr int sineTableSize = 181;

extern BossShot bossShots[bossShotCount];
extern int32_t shotPhase[bossShotCount];  // 0..179, the sine index; kept when a slot is reused
extern int32_t shotSway[bossShotCount];   // 0..19 pixels right of the path
extern double sineTable[sineTableSize];   // entry k: floor(65536 sin(k × 3.141592 / 180))
extern Rect bossSrcRect;                  // the boss's picture this frame
extern Rect shotSrcRect;                  // the picture of the shot being processed

// Called by the frame driver in each frame of play in which the enemies do
// not run (the boss area, a pause, death), before moveBoss. Writes the
// strengths bossSpeed, bossChargeDamage, shotDamageA, shotDamageB and
// bossTouchDamage.
void updateBossStats();
// Called by the frame driver right after updateBossStats: the random runs,
// the charge, the arena's limits, and the push and hurt of a touch (in the
// boss area only). Writes the boss's position and runs, and the player's
// position, pushes, hit timer and hp.
void moveBoss();
// Called by the frame driver where the ordinary enemies are not drawn,
// outside a fade-out, in play and in the ending. Writes bossPose,
// bossSrcRect, bossScreenX and bossScreenY.
void drawBoss();
// Called by the frame driver right after drawBoss: starts volleys and
// charges, fires, moves, draws and lands the shots. Writes bossShots,
// shotPhase, shotSway, the volley and charge counters, the player's hp and
// hit timer.
void runBossAttacks();

// Called by resetGameState: shots back to free, rectangles to empty.
void resetBoss();

}  // namespace varnholt
