// The game's random generator: linear congruential, reseeded from the
// millisecond clock at the start of every frame.
#pragma once

#include <cstdint>

namespace varnholt {

extern uint32_t randomState;

// Called by the frame driver at the start of every frame.
void seedRandom(uint32_t seed);
// Called by the frame driver and the attack step; answers 0..32767.
int32_t drawRandom();

}  // namespace varnholt
