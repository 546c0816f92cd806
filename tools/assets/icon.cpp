// The icon repeats the sword sheet's look at a size where a menu can show
// it: a steel blade with a gold guard, the teal trail of the swing behind
// it, and a violet glow so the dark blade edge does not vanish into a dark
// panel.
#include "icon.h"

#include <algorithm>
#include <cmath>

#include "shading.h"
#include "sprite_parts.h"

namespace {

constexpr double hiltX = 19, hiltY = 45, tipX = 54, tipY = 10;

void background(Canvas& c) {
    c.paint([](int x, int y) {
        const double r = std::hypot(x + 0.5 - 34, y + 0.5 - 30) / 44;
        const double glow = std::max(0.0, 1.0 - r);
        const int k = static_cast<int>(glow * 4);
        return pal::shade(pal::night, ditherOn(x, y, glow * 4 - k) ? k + 1 : k);
    });
}

// The sweep, a crescent round the hand that thins toward where it began.
void trail(Canvas& c) {
    const double cx = 10, cy = 54, fromDeg = -100, toDeg = -48;
    for (int y = 0; y < iconSize; ++y)
        for (int x = 0; x < iconSize; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double angle = std::atan2(dy, dx) * 180 / 3.14159265;
            if (angle < fromDeg || angle > toDeg) continue;
            const double along = (angle - fromDeg) / (toDeg - fromDeg);
            const double outer = 50, inner = outer - 3 - 9 * along;
            const double r = std::hypot(dx, dy);
            if (r > outer || r < inner) continue;
            const double t = (r - inner) / (outer - inner);
            if (t <= 0.5 && !ditherOn(x, y, 0.3 + along * 0.7)) continue;
            c.set(x, y, t > 0.8 ? pal::white : t > 0.5 ? pal::shade(pal::teal, 7) : pal::shade(pal::teal, 5));
        }
}

void sword(Canvas& c) {
    const double length = std::hypot(tipX - hiltX, tipY - hiltY);
    const double ux = (tipX - hiltX) / length, uy = (tipY - hiltY) / length;
    addInked(c, [&](Canvas& p) {
        p.thickLine(hiltX - ux * 10, hiltY - uy * 10, hiltX, hiltY, 2.2, pal::shade(pal::leather, 3));
        p.thickLine(hiltX + ux * 2, hiltY + uy * 2, tipX - ux * 3, tipY - uy * 3, 3.0, pal::shade(pal::steel, 5));
        p.thickLine(tipX - ux * 3, tipY - uy * 3, tipX, tipY, 1.6, pal::shade(pal::steel, 5));
        // The fuller down the blade's middle, and its edge catching the light.
        p.line(static_cast<int>(hiltX + ux * 4), static_cast<int>(hiltY + uy * 4),
               static_cast<int>(tipX - ux * 6), static_cast<int>(tipY - uy * 6), pal::shade(pal::steel, 3));
        p.line(static_cast<int>(hiltX + ux * 4 - uy * 2), static_cast<int>(hiltY + uy * 4 + ux * 2 - 1),
               static_cast<int>(tipX - ux * 4 - uy * 2), static_cast<int>(tipY - uy * 4 + ux * 2 - 1),
               pal::shade(pal::steel, 7));
        p.thickLine(hiltX - uy * 8, hiltY + ux * 8, hiltX + uy * 8, hiltY - ux * 8, 2.0, pal::shade(pal::gold, 4));
    });
    addPart(c, pal::gold, 2, 7, [&](Canvas& p) { p.fillEllipse(hiltX - ux * 12, hiltY - uy * 12, 3.2, 3.2, 1); });
}

}  // namespace

Canvas drawIcon() {
    Canvas icon(iconSize, iconSize);
    background(icon);
    trail(icon);
    sword(icon);
    return icon;
}

std::vector<uint8_t> iconPixels(const Canvas& icon, const std::array<Rgb, 256>& colours, int scale) {
    const int width = icon.width() * scale, height = icon.height() * scale;
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& colour = colours[icon.at(x / scale, y / scale)];
            rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
        }
    return rgb;
}
