#include "world/player_attack.h"

namespace varnholt {

// The sword hits nothing yet.
void playerAttack() {}

}  // namespace varnholt
