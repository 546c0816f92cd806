// The sword swing. Both frames are drawn once for a swing to the right
// and turned for the other facings, so every swing sweeps the same way
// round the hero.
#include <cmath>

#include "palette.h"
#include "shading.h"
#include "sheets.h"
#include "sprite_parts.h"

namespace {

constexpr int cell = 64;

// A blade from the hilt (hx, hy) to the tip, with guard and grip.
void blade(Canvas& s, double hx, double hy, double tx, double ty) {
    const double length = std::hypot(tx - hx, ty - hy);
    const double ux = (tx - hx) / length, uy = (ty - hy) / length;
    addInked(s, [&](Canvas& p) {
        p.thickLine(hx - ux * 6, hy - uy * 6, hx, hy, 1.6, pal::shade(pal::leather, 3));  // grip
        p.thickLine(hx + ux * 2, hy + uy * 2, tx, ty, 1.8, pal::shade(pal::steel, 5));
        // Lit edge on the upper side of the blade.
        p.line(static_cast<int>(hx + ux * 3 - uy), static_cast<int>(hy + uy * 3 + ux - 1),
               static_cast<int>(tx - ux * 2 - uy), static_cast<int>(ty - uy * 2 + ux - 1), pal::shade(pal::steel, 7));
        p.thickLine(hx - uy * 5, hy + ux * 5, hx + uy * 5, hy - ux * 5, 1.4, pal::shade(pal::gold, 4));  // guard
        p.fillEllipse(hx - ux * 7, hy - uy * 7, 1.8, 1.8, pal::shade(pal::gold, 5));                    // pommel
    });
}

// The sweep's trail: a crescent between two circles, brightest at its edge.
void trail(Canvas& s, double fromDeg, double toDeg) {
    const double cx = -6, cy = 34;
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::hypot(dx, dy);
            const double angle = std::atan2(dy, dx) * 180 / 3.14159265;
            if (angle < fromDeg || angle > toDeg) continue;
            // The trail thins toward its tail end.
            const double along = (angle - fromDeg) / (toDeg - fromDeg);
            const double outer = 56, inner = outer - 3 - 11 * along;
            if (r > outer || r < inner) continue;
            const double t = (r - inner) / (outer - inner);
            uint8_t c = t > 0.8 ? pal::white : t > 0.5 ? pal::shade(pal::teal, 7) : pal::shade(pal::teal, 6);
            if (t <= 0.5 && !ditherOn(x, y, 0.3 + along * 0.7)) continue;
            s.set(x, y, c);
        }
}

Canvas swingRight(int k) {
    Canvas s(cell, cell);
    if (k == 0) {
        trail(s, -75, -55);
        blade(s, 4, 32, 26, 4);  // raised, about to come down
    } else {
        trail(s, -70, 40);
        blade(s, 4, 36, 44, 44);  // swept through, ahead of the hero
    }
    return s;
}

}  // namespace

Canvas drawSwordSheet() {
    const layout::Sheet& sheet = layout::sheets[2];
    Canvas canvas(sheet.width, sheet.height);
    for (int k = 0; k < 2; ++k) {
        const Canvas right = swingRight(k);
        const Canvas down = right.rotated();
        const Canvas up = right.rotated().rotated().rotated();
        canvas.place(up, layout::sword::frame(0, k, ""));
        canvas.place(right, layout::sword::frame(1, k, ""));
        canvas.place(down, layout::sword::frame(2, k, ""));
        canvas.place(right.mirrored(), layout::sword::frame(3, k, ""));
    }
    return canvas;
}
