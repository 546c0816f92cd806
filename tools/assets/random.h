// Deterministic randomness for the artwork and the sounds: a fixed seed
// gives the same bytes on every run and every machine.
#pragma once

#include <cstdint>

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t next() {
        // xorshift32: tiny, and its output does not depend on the library.
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }  // inclusive
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }      // [0, 1)
    double signedUnit() { return unit() * 2.0 - 1.0; }                // [-1, 1)

private:
    uint32_t state_;
};

// A hash of grid coordinates, for noise that must repeat exactly.
inline uint32_t hashCell(int x, int y, uint32_t seed) {
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x27D4EB2Du) ^ (static_cast<uint32_t>(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}
