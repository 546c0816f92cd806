// Reading and writing the little-endian numbers of the game's file formats.
#pragma once

#include <cstdint>

namespace varnholt {

inline uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

inline uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void writeU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(value >> (8 * i));
}

}  // namespace varnholt
