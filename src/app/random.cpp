#include "app/random.h"

namespace varnholt {

uint32_t randomState = 0;

void seedRandom(uint32_t seed) { randomState = seed; }

int32_t drawRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

}  // namespace varnholt
