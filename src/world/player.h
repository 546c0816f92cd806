// The player's controls and sprite.
#pragma once

namespace varnholt {

// Called by the frame driver in play, when no earthquake holds the player.
void controlPlayer();
// Called by the frame driver after the enemies are drawn.
void drawPlayer();

}  // namespace varnholt
