#include "display/bmp_reader.h"

#include <cstring>

#include "app/little_endian.h"

namespace varnholt {

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t coreHeaderSize = 12;    // the old OS/2 header has no colour count
constexpr uint32_t infoHeaderSize = 40;
constexpr int32_t largestSide = 1 << 15;   // far beyond any sheet of the game

}  // namespace

bool decodeBitmap(const uint8_t* data, size_t size, BitmapImage& image) {
    if (data == nullptr || size < fileHeaderSize + infoHeaderSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = readU32(data + 10);
    const uint8_t* info = data + fileHeaderSize;
    const uint32_t headerSize = readU32(info);
    if (headerSize < infoHeaderSize || headerSize == coreHeaderSize ||
        headerSize > size - fileHeaderSize) {
        return false;
    }
    int32_t width = static_cast<int32_t>(readU32(info + 4));
    int32_t height = static_cast<int32_t>(readU32(info + 8));
    const uint16_t planes = readU16(info + 12);
    const uint16_t bitsPerPixel = readU16(info + 14);
    const uint32_t compression = readU32(info + 16);
    const uint32_t coloursUsed = readU32(info + 32);
    if (planes != 1 || bitsPerPixel != 8 || compression != 0) return false;
    if (coloursUsed != 0 && coloursUsed != 256) return false;
    if (width <= 0 || width > largestSide || height == 0 || height < -largestSide ||
        height > largestSide) {
        return false;
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;

    const size_t tableOffset = fileHeaderSize + headerSize;
    if (tableOffset + 256 * 4 > size) return false;
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t(3);
    const size_t pixelBytes = stride * static_cast<size_t>(height);
    if (pixelOffset < tableOffset + 256 * 4 || pixelOffset > size ||
        pixelBytes > size - pixelOffset) {
        return false;
    }

    image.width = width;
    image.height = height;
    for (int i = 0; i < 256; ++i) {
        const uint8_t* entry = data + tableOffset + 4 * i;
        image.colours[i] = PaletteEntry{entry[2], entry[1], entry[0], 0};
    }
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t row = 0; row < height; ++row) {
        const int32_t fileRow = topDown ? row : height - 1 - row;
        std::memcpy(image.pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(width),
                    data + pixelOffset + static_cast<size_t>(fileRow) * stride,
                    static_cast<size_t>(width));
    }
    return true;
}

}  // namespace varnholt
