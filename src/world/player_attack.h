// The sword's blows against the enemies and the boss, experience and
// levels.
//
// A swing is live in the first three frames the attack input is held; a
// charge of 160 frames, released, strikes every active enemy that is not
// to the right of or below the screen, at a price of a sixth of the
// stamina. Blows use the positions the previous frame drew.
#pragma once

namespace varnholt {

// Called by the frame driver every frame, in every scene, after the
// earthquake step. Writes the enemies' hp, positions and hit timers, the
// boss's hp, position and hit timer, stamina, exp, levelUpNotice, and on
// the boss's defeat bossAlive and scene. Walks curRow over the slots.
void playerAttack();
// Called by playerAttack when exp reaches 100: draws three numbers from
// the frame's random generator for the gains in attack, hit points and
// stamina.
void levelUp();

}  // namespace varnholt
