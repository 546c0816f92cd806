// Area changes: the palette fade-out, the change of area and the fade-in.
#pragma once

namespace varnholt {

// Called by the frame driver while a fade-out runs.
void fadeOutStep();
// Called by the frame driver while a fade-in runs.
void fadeInStep();
// Called by the frame driver every frame; acts only when the fade-out
// has reached its end.
void loadArea();

}  // namespace varnholt
