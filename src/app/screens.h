// The opening, the title menu, the notices, the status display and the
// ending: everything drawn over the play field.
#pragma once

namespace varnholt {

// Called by the frame driver just before the picture is presented.
void drawScreens();

}  // namespace varnholt
