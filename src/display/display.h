// The display: the 640×480 8-bit back buffer every frame is drawn into,
// the sprite sheets it is drawn from, and presentation through the
// platform, full screen or in a window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace varnholt {

// Left, top, right, bottom; right and bottom exclusive.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// An 8-bit off-screen surface: the back buffer or one bitmap's sheet.
struct SpriteSheet {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width × height palette indices
    uint8_t colorKey = 0;         // source pixels of this index are not copied
};

// Display objects; each is empty when it does not exist.
extern bool directDraw;
extern bool primarySurface;
extern bool windowClipper;
extern std::unique_ptr<SpriteSheet> backBuffer;

// Called at start-up and by every display switch; shows its own message
// on failure. Answers 1 or 0.
int createDisplay();
// Called only by createDisplay, with (640, 480, 8).
int setupSurfaces(int width, int height, int bitsPerPixel);
// Called when the message loop ends and by every display switch.
void releaseDisplay();

// Called by the frame driver before anything is drawn.
void restoreIfLost();
void clearBackBuffer();
// Called by every drawing step. Copies nothing at all unless the source
// lies inside the sheet, is not empty, and the destination lies wholly
// inside the back buffer; pixels of the sheet's colour key are skipped.
void drawSprite(const SpriteSheet* sheet, const Rect& source, int32_t x, int32_t y);
void drawSpriteScaled(const SpriteSheet* sheet, const Rect& source, const Rect& destination);
// Called by the frame driver as its last step.
void present();

}  // namespace varnholt
