// Area changes: the palette fade-out, the installing of the new area while
// the screen is dark, and the fade-in.
//
// A change is started elsewhere (a screen edge or the pit, the title menu,
// loading a saved game) by setting areaId, entrySide and fadingOut = 1.
// Counting the first fade-out step as frame 1: frame 30 installs the area
// (fadeLevel 240), frame 32 ends the fade-out, sets up the enemies and
// takes the first fade-in step, frame 63 ends the fade-in.
//
// Each fade moves every colour byte by 8 modulo 256, 32 times: a full turn
// of the byte, so a palette comes back exactly as it was.
#pragma once

namespace varnholt {

// Called by the frame driver when fadingOut is 1, fadingIn is 0 and no pit
// fall is playing. Writes the palette, fadeLevel, fadingOut, fadingIn and,
// at its end, the new area's enemies.
void fadeOutStep();
// Called by the frame driver when fadingIn is 1. Writes the palette,
// fadeInLevel, fadingOut and fadingIn.
void fadeInStep();
// Called by the frame driver every frame; acts only when fadeLevel is 240:
// installs the area numbered areaId (mapCols, mapRows, areaMap, the
// player's position by entrySide, the boss's start in area 1) and sets
// scene to 1.
void loadArea();

}  // namespace varnholt
