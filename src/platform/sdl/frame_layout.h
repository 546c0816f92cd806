// The arithmetic of putting the game's 640x480 paletted picture on screen:
// where it goes in the output and what colour each pixel becomes. No SDL
// here, so it can be checked without a display.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct PictureRect {
    int x;
    int y;
    int width;
    int height;
};

// Where the picture goes in an output of the given size: the whole of it,
// or (keepAspect) the largest centred 4:3 area, the rest left black.
// Called by the SDL back end's present.
PictureRect pictureRect(int outputWidth, int outputHeight, bool keepAspect);

// Expands the 8-bit picture through the palette into 32-bit 0xAARRGGBB
// rows, `pitchBytes` apart, fully opaque. Called by expandPictureInto.
void expandPicture(const uint8_t* pixels, const PaletteEntry palette[256], void* out, int pitchBytes);

// Expands the picture into `area` of a 32-bit output whose rows are
// `pitchBytes` apart, scaled to the area's size: each output pixel takes
// the picture pixel under its centre, so pixel art stays crisp. Nothing
// outside the area is written. Called by the SDL back end's present.
void expandPictureInto(const uint8_t* pixels, const PaletteEntry palette[256], void* out, int pitchBytes,
                       const PictureRect& area);
