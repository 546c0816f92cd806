// The back buffer as it should look, put together pixel by pixel from the
// sprite sheets, so that a test sees every pixel drawn or left alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "display/display.h"

struct ExpectedScreen {
    explicit ExpectedScreen(uint8_t background = 0) : pixels(640 * 480, background) {}
    // Copies w × h pixels from (sx, sy) of the sheet to (x, y), each one
    // scale × scale, leaving out index 0; answers how many were opaque.
    int copy(const varnholt::SpriteSheet& sheet, int sx, int sy, int w, int h, int x, int y, int scale = 1) {
        int opaque = 0;
        for (int row = 0; row < h * scale; ++row) {
            for (int col = 0; col < w * scale; ++col) {
                const uint8_t p = sheet.pixels[(sy + row / scale) * sheet.width + sx + col / scale];
                if (p != 0) pixels[(y + row) * 640 + x + col] = p;
                opaque += p != 0;
            }
        }
        return opaque;
    }
    // Empty when the back buffer matches, else where it first differs.
    std::string difference() const {
        const std::vector<uint8_t>& actual = varnholt::backBuffer->pixels;
        const size_t i = size_t(std::mismatch(actual.begin(), actual.end(), pixels.begin()).first - actual.begin());
        if (i == actual.size()) return "";
        return "first difference at (" + std::to_string(i % 640) + ", " + std::to_string(i / 640) +
               "): " + std::to_string(actual[i]) + " instead of " + std::to_string(pixels[i]);
    }
    std::vector<uint8_t> pixels;
};
