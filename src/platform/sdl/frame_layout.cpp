#include "platform/sdl/frame_layout.h"

#include <cstring>

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

void expandPicture(const uint8_t* pixels, const PaletteEntry palette[256], void* out, int pitchBytes) {
    uint32_t colour[256];
    for (int i = 0; i < 256; ++i)
        colour[i] = 0xFF000000u | uint32_t(palette[i].red) << 16 | uint32_t(palette[i].green) << 8 |
                    palette[i].blue;
    auto* row = static_cast<uint8_t*>(out);
    static_assert(screenWidth % 4 == 0);
    for (int y = 0; y < screenHeight; ++y, row += pitchBytes) {
        const uint8_t* from = pixels + y * screenWidth;
        // Four colours at a time, stored straight into the texture (whose
        // rows need not be aligned for 32-bit stores): this is the whole
        // cost of a presented frame on our side.
        for (int x = 0; x < screenWidth; x += 4) {
            const uint32_t quad[4] = {colour[from[x]], colour[from[x + 1]], colour[from[x + 2]],
                                      colour[from[x + 3]]};
            std::memcpy(row + 4 * x, quad, sizeof quad);
        }
    }
}
