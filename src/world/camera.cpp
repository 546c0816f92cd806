#include "world/camera.h"

namespace varnholt {

PaletteEntry workPalette[256] = {};

// The area is not drawn yet.
void drawTiles() {}
void updateCamera() {}

}  // namespace varnholt
