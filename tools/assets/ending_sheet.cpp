// The ending: sunrise over the moor with the hero on a hilltop, the
// closing captions (THE END, GAME OVER) and the SCORE and BEST labels.
#include <cmath>

#include "font.h"
#include "landscape.h"
#include "palette.h"
#include "random.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

using namespace layout::ending;

// The hero seen from behind on the hill, sword raised to the sun.
void heroSilhouette(Canvas& c, int x, int y) {
    const uint8_t body = pal::shade(pal::night, 0);
    addInked(c, [&](Canvas& p) {
        p.fillEllipse(x, y - 26, 4.5, 5, body);                       // head
        p.fillPolygon({{x - 6.0, y - 20.0}, {x + 6.0, y - 20.0}, {x + 8.0, y - 4.0}, {x - 8.0, y - 4.0}}, body);
        p.fillPolygon({{x - 6.0, y - 19.0}, {x - 11.0, y + 1.0}, {x - 2.0, y - 4.0}}, pal::shade(pal::red, 1));  // cape
        p.fillRect(x - 5, y - 4, x - 1, y + 4, body);
        p.fillRect(x + 1, y - 4, x + 5, y + 4, body);
        p.thickLine(x + 6, y - 18, x + 10, y - 30, 1.6, body);       // raised arm
        p.thickLine(x + 10, y - 31, x + 13, y - 52, 1.0, pal::shade(pal::steel, 6));  // blade catching the light
    });
}

void drawPicture(Canvas& c) {
    const layout::Rect& r = picture;
    paintSky(c, r, {{0, pal::shade(pal::night, 4)}, {30, pal::shade(pal::dawn, 1)}, {70, pal::shade(pal::dawn, 3)},
                    {110, pal::shade(pal::dawn, 5)}, {135, pal::shade(pal::dawn, 7)}});
    // The sun on the horizon with dithered rays.
    const double sx = 300, sy = 138;
    for (int y = r.top; y < 140; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const double d = std::hypot(x - sx, (y - sy) * 1.1);
            const double ray = std::pow(std::fabs(std::cos(std::atan2(y - sy, x - sx) * 9)), 8);
            if (d < 22) c.set(x, y, pal::shade(pal::gold, 7));
            else if (d < 26) c.set(x, y, pal::shade(pal::gold, 6));
            else if (d < 140 && ray > 0.5 && ditherOn(x, y, 0.35 * (1 - d / 140))) c.set(x, y, pal::shade(pal::dawn, 7));
        }
    // Clouds lit from below.
    Random random(41);
    for (int i = 0; i < 6; ++i) {
        const double cx = 30 + random.below(420), cy = 30 + random.below(60), w = 24 + random.below(30);
        c.fillEllipse(cx, cy, w, 5, pal::shade(pal::dawn, 2));
        c.fillEllipse(cx + 4, cy + 2, w * 0.8, 3, pal::shade(pal::dawn, 4));
    }
    paintRidge(c, r, 132, 14, pal::shade(pal::heather, 1), pal::shade(pal::dawn, 4), 42);
    paintRidge(c, r, 156, 10, pal::shade(pal::dusk, 1), pal::shade(pal::heather, 3), 43);
    // The near hill the hero stands on.
    for (int x = r.left; x < r.right; ++x) {
        const double hx = (x - 120) / 150.0;
        const int top = static_cast<int>(178 + 40 * hx * hx);
        for (int y = std::min(top, r.bottom); y < r.bottom; ++y) c.set(x, y, pal::shade(pal::grass, y == top ? 3 : 1));
    }
    heroSilhouette(c, 120, 174);
    // Birds heading for the sun.
    for (const auto& b : {std::pair{220, 60}, std::pair{236, 52}, std::pair{250, 66}}) {
        c.set(b.first - 2, b.second - 1, pal::ink);
        c.set(b.first - 1, b.second, pal::ink);
        c.set(b.first, b.second, pal::ink);
        c.set(b.first + 1, b.second - 1, pal::ink);
    }
    // Frame: ink and gold round the edge.
    for (int x = r.left; x < r.right; ++x) {
        c.set(x, r.top, pal::ink);
        c.set(x, r.bottom - 1, pal::ink);
        c.set(x, r.top + 1, pal::shade(pal::gold, 5));
        c.set(x, r.bottom - 2, pal::shade(pal::gold, 2));
    }
    for (int y = r.top; y < r.bottom; ++y) {
        c.set(r.left, y, pal::ink);
        c.set(r.right - 1, y, pal::ink);
        c.set(r.left + 1, y, pal::shade(pal::gold, 4));
        c.set(r.right - 2, y, pal::shade(pal::gold, 2));
    }
    TextStyle line;
    line.ramp = pal::gold;
    line.topShade = 7;
    line.bottomShade = 5;
    line.shadow = 1;
    drawTextCentred(c, {r.left + 200, r.bottom - 22, r.right - 10, r.bottom - 4}, "PEACE RETURNS TO THE MOOR", line);
}

TextStyle captionStyle(uint8_t ramp, int scale) {
    TextStyle s;
    s.scale = scale;
    s.rounded = true;
    s.ramp = ramp;
    s.topShade = 7;
    s.bottomShade = 3;
    s.shadow = 2;
    return s;
}

}  // namespace

Canvas drawEndingSheet() {
    const layout::Sheet& sheet = layout::sheets[10];
    Canvas canvas(sheet.width, sheet.height);
    drawPicture(canvas);
    drawTextCentred(canvas, theEnd, "THE END", captionStyle(pal::gold, 5));
    drawTextCentred(canvas, gameOver, "GAME OVER", captionStyle(pal::red, 4));
    TextStyle label = captionStyle(pal::gold, 2);
    label.rounded = false;
    label.shadow = 1;
    drawTextCentred(canvas, scoreLabel, "SCORE", label);
    label.shadow = 0;  // the best-score label is only 16 rows high
    label.ramp = pal::steel;
    drawTextCentred(canvas, bestLabel, "BEST", label);
    return canvas;
}
