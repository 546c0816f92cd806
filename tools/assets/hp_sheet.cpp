// The hit-point gauge: label, bar and the empty trough under both. The
// game cuts the bar from its left end, so only the right end is shaped.
#include "font.h"
#include "palette.h"
#include "sheets.h"

namespace {

constexpr int barTop = 3, barBottom = 15;  // the bar's rows inside the trough

void drawTrough(Canvas& c) {
    const layout::Rect& t = layout::hp::trough;
    const int left = t.left, right = t.right, top = t.top + 1, bottom = t.top + 17;
    c.fillRect(left + 1, top, right, bottom, pal::ink);
    c.fillRect(left, top + 1, right, bottom - 1, pal::ink);
    c.fillRect(left + 1, top + 1, layout::hp::bar.left - 1, bottom - 1, pal::shade(pal::night, 2));
    // The bar's bed: dark red, a shade lighter along its lower lip.
    c.fillRect(layout::hp::bar.left, t.top + barTop, right - 1, t.top + barBottom, pal::shade(pal::red, 0));
    c.fillRect(layout::hp::bar.left, t.top + barBottom - 1, right - 1, t.top + barBottom, pal::shade(pal::red, 1));
}

void drawBar(Canvas& c) {
    const layout::Rect& b = layout::hp::bar;
    static constexpr int rowShade[barBottom - barTop] = {7, 6, 5, 5, 4, 4, 4, 3, 3, 3, 2, 1};
    for (int y = barTop; y < barBottom; ++y)
        for (int x = b.left; x < b.right - 1; ++x) c.set(x, b.top + y, pal::shade(pal::red, rowShade[y - barTop]));
    // Right end: an inked rim with a bright lip, whatever the bar's length.
    for (int y = barTop; y < barBottom; ++y) c.set(b.right - 1, b.top + y, pal::ink);
    for (int y = barTop + 1; y < barBottom - 1; ++y) c.set(b.right - 2, b.top + y, pal::shade(pal::red, 6));
}

}  // namespace

Canvas drawHpSheet() {
    const layout::Sheet& sheet = layout::sheets[4];
    Canvas canvas(sheet.width, sheet.height);
    drawTrough(canvas);
    drawBar(canvas);
    TextStyle label;
    label.scale = 2;
    label.ramp = pal::red;
    label.topShade = 7;
    label.bottomShade = 4;
    drawTextCentred(canvas, layout::hp::label, "HP", label);
    return canvas;
}
