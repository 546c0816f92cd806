// Start-up: window, display, sprite sheets and sound, joystick, the first
// area's enemies, the player's starting statistics and the music.
#pragma once

#include <cstdint>

namespace varnholt {

// Called once by the program entry. Answers 1 on success; on 0 the
// program ends with exit code 0.
int initGame(int32_t instance, int32_t previousInstance, int32_t showCommand);

}  // namespace varnholt
