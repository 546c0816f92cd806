// The sword's blows against enemies and the boss, experience and levels.
#pragma once

namespace varnholt {

// Called by the frame driver once per frame, after the earthquake step.
void playerAttack();

}  // namespace varnholt
