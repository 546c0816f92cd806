#include "world/player.h"

namespace varnholt {

// The player neither moves nor shows yet.
void controlPlayer() {}
void drawPlayer() {}

}  // namespace varnholt
