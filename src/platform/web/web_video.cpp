// The browser back end's picture: the 640x480 paletted picture is expanded
// to RGBA in our own buffer and put on the page's canvas, which the page
// scales with crisp pixels. Full screen is the browser's; the window sizes
// are the canvas's size on the page.
#include <emscripten.h>

#include <cstring>

#include "platform/web/web_backend.h"

namespace {

constexpr int fullScreenMode = 2;

// RGBA bytes of the last picture, in canvas order.
uint32_t expanded[screenWidth * screenHeight];

EM_JS(void, pageSetDisplayMode, (int fullScreen), { Module.page.setFullScreen(fullScreen != 0); });

EM_JS(void, pageShowPicture, (const uint8_t* rgba, int width, int height), {
    Module.page.showPicture(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});

}  // namespace

bool WebBackend::displayStep(DisplayStep step, int displayMode) {
    // Only the mode means anything here: the canvas and the game's own
    // sheets stand for the device, surfaces, clipper and palette.
    if (step == DisplayStep::SetCooperativeLevel) pageSetDisplayMode(displayMode == fullScreenMode);
    return true;
}

void WebBackend::present(const uint8_t* pixels, const PaletteEntry palette[256], int) {
    // The canvas's bytes are red, green, blue, alpha in memory order; this
    // machine is little-endian, so red is the low byte of each word.
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = uint32_t(palette[i].red) | uint32_t(palette[i].green) << 8 |
                     uint32_t(palette[i].blue) << 16 | 0xFF000000u;
    }
    for (int i = 0; i < screenWidth * screenHeight; ++i) expanded[i] = colours[pixels[i]];
    pageShowPicture(reinterpret_cast<const uint8_t*>(expanded), screenWidth, screenHeight);
}

void WebBackend::releaseDisplay() {
    // The last picture stays on the canvas: the page shows how the game
    // ended.
}
