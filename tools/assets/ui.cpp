#include "ui.h"

#include "palette.h"

void drawPlate(Canvas& canvas, const layout::Rect& a) {
    // Corners cut by two pixels so the plate reads as rounded.
    Canvas plate(a.width(), a.height());
    const int w = a.width(), h = a.height();
    plate.fillRect(2, 0, w - 2, h, pal::ink);
    plate.fillRect(1, 1, w - 1, h - 1, pal::ink);
    plate.fillRect(0, 2, w, h - 2, pal::ink);
    plate.fillRect(2, 1, w - 2, 2, pal::shade(pal::gold, 5));
    plate.fillRect(2, h - 2, w - 2, h - 1, pal::shade(pal::gold, 2));
    plate.fillRect(1, 2, 2, h - 2, pal::shade(pal::gold, 4));
    plate.fillRect(w - 2, 2, w - 1, h - 2, pal::shade(pal::gold, 2));
    plate.fillRect(2, 2, w - 2, h - 2, pal::ink);
    plate.fillRect(3, 3, w - 3, h - 3, pal::shade(pal::night, 2));
    plate.fillRect(3, 3, w - 3, 4, pal::shade(pal::night, 3));  // faint lit top edge
    for (int x : {5, w - 6})                                    // studs in the corners
        for (int y : {5, h - 6}) {
            plate.set(x, y, pal::shade(pal::gold, 6));
            plate.set(x + 1, y + 1, pal::shade(pal::gold, 2));
        }
    canvas.blit(plate, a.left, a.top);
}

TextStyle headingStyle(uint8_t ramp) {
    TextStyle s;
    s.scale = 2;
    s.ramp = ramp;
    s.topShade = 7;
    s.bottomShade = 4;
    s.shadow = 1;
    return s;
}

TextStyle smallStyle() {
    TextStyle s;
    s.ramp = pal::steel;
    s.topShade = 7;
    s.bottomShade = 5;
    s.outline = 0;
    return s;
}

void drawNotice(Canvas& canvas, const layout::Rect& area, const char* heading, const char* line) {
    drawPlate(canvas, area);
    if (!line) {
        drawTextCentred(canvas, area, heading, headingStyle(pal::gold));
        return;
    }
    const TextStyle big = headingStyle(pal::gold), small = smallStyle();
    const int total = textHeight(big) + 3 + textHeight(small);
    const int top = area.top + (area.height() - total) / 2;
    drawText(canvas, area.left + (area.width() - textWidth(heading, big)) / 2, top, heading, big);
    drawText(canvas, area.left + (area.width() - textWidth(line, small)) / 2, top + textHeight(big) + 3, line, small);
}
