#include "app/screens.h"

namespace varnholt {

// Nothing is drawn over the play field yet.
void drawScreens() {}

}  // namespace varnholt
