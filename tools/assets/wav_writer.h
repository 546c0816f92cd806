// PCM WAV with exactly the canonical 44-byte header: the game reads the
// format fields at fixed offsets and never looks for chunk names.
#pragma once

#include <cstdint>
#include <vector>

constexpr int sampleRate = 22050;

std::vector<uint8_t> encodeWave(const std::vector<int16_t>& samples);
