#include "platform/sdl/frame_layout.h"

#include <cstring>
#include <vector>

PictureRect pictureRect(int outputWidth, int outputHeight, bool keepAspect) {
    if (!keepAspect || outputWidth <= 0 || outputHeight <= 0) return {0, 0, outputWidth, outputHeight};
    // Compare cross-multiplied so no rounding decides which sides get bars.
    const long wide = long(outputWidth) * screenHeight;
    const long tall = long(outputHeight) * screenWidth;
    if (wide > tall) {
        const int width = int(long(outputHeight) * screenWidth / screenHeight);
        return {(outputWidth - width) / 2, 0, width, outputHeight};
    }
    const int height = int(long(outputWidth) * screenHeight / screenWidth);
    return {0, (outputHeight - height) / 2, outputWidth, height};
}

namespace {

void opaqueColours(const PaletteEntry palette[256], uint32_t colour[256]) {
    for (int i = 0; i < 256; ++i)
        colour[i] = 0xFF000000u | uint32_t(palette[i].red) << 16 | uint32_t(palette[i].green) << 8 |
                    palette[i].blue;
}

}  // namespace

void expandPicture(const uint8_t* pixels, const PaletteEntry palette[256], void* out, int pitchBytes) {
    uint32_t colour[256];
    opaqueColours(palette, colour);
    auto* row = static_cast<uint8_t*>(out);
    static_assert(screenWidth % 4 == 0);
    for (int y = 0; y < screenHeight; ++y, row += pitchBytes) {
        const uint8_t* from = pixels + y * screenWidth;
        // Four colours at a time, stored straight into the output (whose
        // rows need not be aligned for 32-bit stores): the main
        // cost of a presented frame on our side.
        for (int x = 0; x < screenWidth; x += 4) {
            const uint32_t quad[4] = {colour[from[x]], colour[from[x + 1]], colour[from[x + 2]],
                                      colour[from[x + 3]]};
            std::memcpy(row + 4 * x, quad, sizeof quad);
        }
    }
}

void expandPictureInto(const uint8_t* pixels, const PaletteEntry palette[256], void* out, int pitchBytes,
                       const PictureRect& area) {
    if (area.width <= 0 || area.height <= 0) return;
    auto* first = static_cast<uint8_t*>(out) + long(area.y) * pitchBytes + long(area.x) * 4;
    if (area.width == screenWidth && area.height == screenHeight) {
        expandPicture(pixels, palette, first, pitchBytes);
        return;
    }
    uint32_t colour[256];
    opaqueColours(palette, colour);
    std::vector<int> column(size_t(area.width));
    for (int x = 0; x < area.width; ++x) column[size_t(x)] = int((2L * x + 1) * screenWidth / (2L * area.width));
    std::vector<uint32_t> line(size_t(area.width));
    int lastSource = -1;
    uint8_t* row = first;
    for (int y = 0; y < area.height; ++y, row += pitchBytes) {
        const int source = int((2L * y + 1) * screenHeight / (2L * area.height));
        // A row that repeats the one above (the picture enlarged) is a copy.
        if (source != lastSource) {
            const uint8_t* from = pixels + source * screenWidth;
            for (int x = 0; x < area.width; ++x) line[size_t(x)] = colour[from[column[size_t(x)]]];
            lastSource = source;
        }
        std::memcpy(row, line.data(), line.size() * 4);
    }
}
