// The game-over sequence that follows the player's death.
#pragma once

namespace varnholt {

// Called by the frame driver every frame while hit points are below 1.
void gameOverStep();

}  // namespace varnholt
