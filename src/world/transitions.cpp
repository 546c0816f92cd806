#include "world/transitions.h"

namespace varnholt {

// No area changes yet.
void fadeOutStep() {}
void fadeInStep() {}
void loadArea() {}

}  // namespace varnholt
