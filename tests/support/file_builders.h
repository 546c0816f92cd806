// Byte-exact bitmap and wave files made in memory, for the readers' tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// An 8-bit BMP whose pixel (x, y) is pixel(x, y) and whose colour i is
// (i, 255 - i, i / 2) rounded down to a multiple of 8.
std::vector<uint8_t> makeBitmap(int width, int height, bool topDown,
                                uint8_t (*pixel)(int x, int y));

struct WaveChunk {
    std::string id;
    std::vector<uint8_t> body;
};
// A RIFF WAVE file of the given chunks, in order.
std::vector<uint8_t> makeWave(const std::vector<WaveChunk>& chunks);
// A "fmt " chunk body.
std::vector<uint8_t> formatChunk(uint16_t tag, uint16_t channels, uint32_t rate,
                                 uint32_t averageBytes, uint16_t blockAlign, uint16_t bits);

void putU16(std::vector<uint8_t>& out, uint16_t value);
void putU32(std::vector<uint8_t>& out, uint32_t value);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace testing_support
