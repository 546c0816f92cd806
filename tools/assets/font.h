// The game's lettering: one 5×7 alphabet, drawn at any whole scale with
// a top-to-bottom shade gradient, a dark outline and an optional drop
// shadow, so the same letters serve the status labels and the title.
#pragma once

#include <string_view>

#include "canvas.h"

struct TextStyle {
    int scale = 1;             // each font pixel becomes scale × scale
    int tall = 1;              // extra vertical stretch on top of scale
    bool bold = false;         // strokes one scaled pixel wider to the right
    bool rounded = false;      // trims the outer corners of the scaled blocks
    uint8_t ramp = 0;          // the letters' ramp
    int topShade = 7;          // shade at the top of the letters
    int bottomShade = 4;       // shade at the bottom
    uint8_t outline = 1;       // 0 for none
    int shadow = 0;            // drop-shadow offset in pixels, down-right
    uint8_t shadowColour = 2;
    int spacing = 1;           // font pixels between letters
};

// Size of the painted letters, outline and shadow included.
int textWidth(std::string_view text, const TextStyle& style);
int textHeight(const TextStyle& style);
// (x, y) is the top-left of the outline box.
void drawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& style);
void drawTextCentred(Canvas& canvas, const layout::Rect& area, std::string_view text, const TextStyle& style,
                     int nudgeY = 0);
