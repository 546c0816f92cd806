#include "support/file_builders.h"

#include <fstream>

namespace testing_support {

void putU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    putU16(out, uint16_t(value));
    putU16(out, uint16_t(value >> 16));
}

std::vector<uint8_t> makeBitmap(int width, int height, bool topDown,
                                uint8_t (*pixel)(int x, int y)) {
    const uint32_t stride = (uint32_t(width) + 3) & ~3u;
    const uint32_t pixelOffset = 14 + 40 + 1024;
    std::vector<uint8_t> out = {'B', 'M'};
    putU32(out, pixelOffset + stride * uint32_t(height));
    putU32(out, 0);
    putU32(out, pixelOffset);
    putU32(out, 40);
    putU32(out, uint32_t(width));
    putU32(out, uint32_t(topDown ? -height : height));
    putU16(out, 1);
    putU16(out, 8);
    for (int i = 0; i < 6; ++i) putU32(out, 0);
    for (int i = 0; i < 256; ++i) {
        out.push_back(uint8_t(i / 2 & ~7));    // blue
        out.push_back(uint8_t((255 - i) & ~7));  // green
        out.push_back(uint8_t(i & ~7));        // red
        out.push_back(0);
    }
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = topDown ? fileRow : height - 1 - fileRow;
        for (uint32_t x = 0; x < stride; ++x) {
            out.push_back(x < uint32_t(width) ? pixel(int(x), y) : 0);
        }
    }
    return out;
}

std::vector<uint8_t> formatChunk(uint16_t tag, uint16_t channels, uint32_t rate,
                                 uint32_t averageBytes, uint16_t blockAlign, uint16_t bits) {
    std::vector<uint8_t> body;
    putU16(body, tag);
    putU16(body, channels);
    putU32(body, rate);
    putU32(body, averageBytes);
    putU16(body, blockAlign);
    putU16(body, bits);
    return body;
}

std::vector<uint8_t> makeWave(const std::vector<WaveChunk>& chunks) {
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const WaveChunk& chunk : chunks) {
        body.insert(body.end(), chunk.id.begin(), chunk.id.end());
        putU32(body, uint32_t(chunk.body.size()));
        body.insert(body.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2) body.push_back(0);
    }
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    putU32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace testing_support
