#include "world/game_over.h"

namespace varnholt {

// No game-over screen yet.
void gameOverStep() {}

}  // namespace varnholt
