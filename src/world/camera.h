// The scrolling view and the drawing of the area's cells.
#pragma once

#include "platform/platform.h"

namespace varnholt {

// Working copy of the palette, read at the start of the tile pass and
// written back at its end; the fades change it too.
extern PaletteEntry workPalette[256];

// Called by the frame driver once per frame, after the player's attack.
void drawTiles();
// Called by the frame driver for every map cell (curRow, curCol).
void updateCamera();

}  // namespace varnholt
