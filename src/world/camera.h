// The scrolling view and the drawing of the area's cells, with the wall
// glint of area 40.
//
// The view keeps the player's sprite at screen (288, 208) until it meets an
// edge of the area; there it stops and the sprite moves off centre instead:
// scrollX + playerOffsetX = playerX, 0 <= scrollX <= mapCols * 64 - 640, and
// likewise vertically.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "world/area_maps.h"

namespace varnholt {

// Working copy of the palette, read at the start of the tile pass and
// written back at its end; the fades change it too.
extern PaletteEntry workPalette[256];

// 1 while the wall cell's glint shows; indexed like areaMap. Kept across
// area changes, cleared as its cell is visited early in the glint clock.
extern int32_t glintCells[areaMapRows][areaMapCols];

// The palette entry whose red the glint lowers.
constexpr int glintEntry = 40;

// Called by the frame driver before every player cell collision of its
// cell passes. Writes scrollX, scrollY, playerOffsetX, playerOffsetY.
void updateCamera();
// Called by the frame driver once per frame, after the player's attack and
// before the cell pass; draws with the view of the previous frame's last
// updateCamera. Advances tileClock, writes glintCells and the glint red.
void drawTiles();

// Called by resetGameState: the glint flags and working palette at start.
void resetTiles();

}  // namespace varnholt
