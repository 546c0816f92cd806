// Reader of the sound-effect files: RIFF WAVE, uncompressed PCM, 8 or 16
// bits, one or two channels. The "fmt " and "data" chunks are found by
// their identifiers wherever they stand; no size in the file is trusted
// beyond the bytes the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace varnholt {

struct WaveSound {
    SoundFormat format{};
    std::vector<uint8_t> samples;  // whole sample frames only
};

// Answers false for anything that is not such a file.
bool decodeWave(const uint8_t* data, size_t size, WaveSound& sound);

}  // namespace varnholt
