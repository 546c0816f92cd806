// The game-over sequence that follows the player's death: the final score
// computed once, a caption, the score's digits rolling in one after
// another, and the best score kept in the score file.
#pragma once

namespace varnholt {

// Called by the frame driver on every frame on which hp is below 1, after
// the area change and before the screens. Writes score (on the first
// frame), playing, gameOverFrames and, through the score file, bestScore.
// Nothing here ends the screen: loading a saved game does.
void gameOverStep();

}  // namespace varnholt
