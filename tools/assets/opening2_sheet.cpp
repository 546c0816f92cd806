// The opening scene: a moor at dusk with a standing stone over a hidden
// shaft. The game shows the scene 310 wide at x 0, 5 or 10 (the earthquake
// shakes it) in the bottom left of the screen and draws the stone from the
// scene's own left edge at a fixed place on top, so the ground under the
// stone is one flat shade that matches wherever the stone lands. The title
// menu covers the scene's right part from about column 230 on: everything
// that tells the story stands left of it, and the right is open moor.
#include <cmath>

#include "landscape.h"
#include "palette.h"
#include "random.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

using layout::opening2::scene;
using layout::opening2::stone;

// Rows of flat moor that the stone may cover; see the note above.
constexpr int flatTop = 94, flatBottom = 154;
constexpr uint8_t flatGround = pal::shade(pal::grass, 1);

// The stone stands over the shaft, which lies at these scene columns.
constexpr int shaftLeft = 173, shaftRight = 202;

void paintMoor(Canvas& c) {
    paintSky(c, scene, {{0, pal::shade(pal::night, 1)}, {22, pal::shade(pal::night, 3)}, {42, pal::shade(pal::night, 5)},
                        {56, pal::shade(pal::dawn, 1)}, {70, pal::shade(pal::dawn, 2)}});
    paintStars(c, {0, 0, scene.right, 40}, 45, 3);
    // A low moon, clear of the menu.
    c.fillEllipse(214, 22, 9, 9, pal::shade(pal::bone, 7));
    c.fillEllipse(218, 19, 8, 8, pal::shade(pal::night, 2));
    paintRidge(c, {0, 0, scene.right, 96}, 58, 14, pal::shade(pal::dusk, 1), pal::shade(pal::dusk, 3), 7);
    paintRidge(c, {0, 0, scene.right, 96}, 76, 7, pal::shade(pal::heather, 0), pal::shade(pal::heather, 2), 8);
    // The moor: far rows dark, the flat band under the stone, then nearer
    // ground lightening toward the viewer.
    c.fillRect(0, 86, scene.right, flatTop, pal::shade(pal::grass, 0));
    for (int x = 0; x < scene.right; ++x)
        if (ditherOn(x, 86, 0.5)) c.set(x, 86, pal::shade(pal::heather, 0));
    c.fillRect(0, flatTop, scene.right, flatBottom, flatGround);
    for (int y = flatBottom; y < scene.bottom; ++y)
        for (int x = 0; x < scene.right; ++x) {
            const double t = static_cast<double>(y - flatBottom) / (scene.bottom - flatBottom);
            const int k = 1 + static_cast<int>(t * 2.99);
            const bool up = ditherOn(x, y, t * 3 - static_cast<int>(t * 3));
            c.set(x, y, pal::shade(pal::grass, std::min(k + (up ? 1 : 0), 3)));
        }
    // The trail the traveller follows, from the left edge to the stone.
    for (int y = flatBottom; y < 230; ++y) {
        const double t = static_cast<double>(y - flatBottom) / 76.0;
        const double centre = 188 - 170 * t * t;
        const double half = 6 + 14 * t;
        for (int x = static_cast<int>(centre - half); x <= static_cast<int>(centre + half); ++x)
            c.set(x, y, pal::shade(pal::earth, (x + y) % 7 == 0 ? 2 : 3));
    }
    Random random(12);
    for (int i = 0; i < 40; ++i) {  // heather and tufts on the near ground
        const int x = random.below(scene.right), y = random.between(flatBottom + 6, scene.bottom - 2);
        if (c.at(x, y) >= pal::earth && c.at(x, y) < pal::earth + 8) continue;
        c.set(x, y, pal::shade(pal::heather, 4));
        c.set(x + 1, y - 1, pal::shade(pal::heather, 5));
        c.set(x - 1, y - 1, pal::shade(pal::grass, 4));
    }
    // A dead tree beyond the traveller's path, left of the stone, frames
    // the scene's story.
    addInked(c, [](Canvas& p) {
        const uint8_t bark = pal::shade(pal::leather, 1);
        p.thickLine(80, 150, 78, 74, 3.5, bark);
        p.thickLine(78, 104, 60, 80, 2, bark);
        p.thickLine(79, 92, 96, 66, 2, bark);
        p.thickLine(66, 88, 54, 86, 1.2, bark);
        p.thickLine(91, 74, 102, 76, 1.2, bark);
    });
}

// The shaft the stone hides; revealed once the stone has shattered.
void paintShaft(Canvas& c) {
    const double cx = (shaftLeft + shaftRight) / 2.0, cy = 140;
    c.fillEllipse(cx, cy, (shaftRight - shaftLeft) / 2.0, 9, pal::shade(pal::earth, 1));
    c.fillEllipse(cx, cy + 1, (shaftRight - shaftLeft) / 2.0 - 2, 7, pal::black);
}

Canvas standingStone() {
    Canvas s(stone.width(), stone.height());
    s.fill(flatGround);
    s.fillEllipse(23, 42, 15, 3, pal::shade(pal::night, 1));
    Canvas body(s.width(), s.height());
    body.fillPolygon({{14, 43}, {12, 14}, {16, 5}, {23, 2}, {30, 5}, {34, 14}, {33, 43}}, 1);
    domeShade(body, pal::stone, 2, 6);
    body.outline(pal::ink);
    s.blit(body, 0, 0);
    // A rune glowing faintly on its face, lichen near its foot.
    const uint8_t rune = pal::shade(pal::teal, 6);
    s.line(22, 14, 22, 30, rune);
    s.line(22, 18, 27, 14, rune);
    s.line(22, 24, 18, 20, rune);
    s.line(22, 30, 26, 33, rune);
    s.fillRect(16, 38, 19, 41, pal::shade(pal::grass, 4));
    s.fillRect(28, 37, 30, 39, pal::shade(pal::gold, 3));
    return s;
}

}  // namespace

Canvas drawOpening2Sheet() {
    const layout::Sheet& sheet = layout::sheets[9];
    Canvas canvas(sheet.width, sheet.height);
    paintMoor(canvas);
    paintShaft(canvas);
    canvas.place(standingStone(), stone);
    return canvas;
}
