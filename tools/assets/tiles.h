// The map-cell pictures, one 64×64 canvas each.
#pragma once

#include "canvas.h"

Canvas drawMeadowTile();
Canvas drawCragTile();
Canvas drawRuinTile();
Canvas drawPitTile();
Canvas drawCaveWallTile();
Canvas drawCaveFloorTile();
Canvas drawHallWallTile();
Canvas drawHallFloorTile();
Canvas drawGlint(bool large);
