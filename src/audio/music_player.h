// The background music player: one piece open at a time, played from its
// beginning and looped.
#pragma once

#include <cstdint>

namespace varnholt {

// Called at start-up and by the frame driver when a fade-in ends.
int openMusic(const char* path, int32_t window);
// Called by the frame driver; does nothing while music plays.
int startMusic(int loop);
// Called by the frame driver during fades, the ending and after death.
int stopMusic();
int closeMusic();

}  // namespace varnholt
