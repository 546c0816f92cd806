// Reader of the game's bitmap files: Windows BMP, 8 bits per pixel, with a
// colour table of 256 entries (stored blue, green, red, reserved), rows
// bottom-up (positive height) or top-down (negative height). Every size
// the file states is checked against the bytes it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace varnholt {

struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;             // always positive
    std::vector<uint8_t> pixels;    // width × height palette indices, top row first
    PaletteEntry colours[256] = {}; // flags 0
};

// Answers false, leaving `image` unspecified, for anything that is not a
// whole, uncompressed 8-bit BMP with 256 colour-table entries.
bool decodeBitmap(const uint8_t* data, size_t size, BitmapImage& image);

}  // namespace varnholt
