#include "sprite_parts.h"

#include <algorithm>

#include "palette.h"
#include "shading.h"

void domeShade(Canvas& part, uint8_t ramp, int lo, int hi) {
    int left = part.width(), top = part.height(), right = -1, bottom = -1;
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            if (part.at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return;
    const double cx = (left + right + 1) / 2.0, cy = (top + bottom + 1) / 2.0;
    const double rx = std::max(1.0, (right - left + 1) / 2.0), ry = std::max(1.0, (bottom - top + 1) / 2.0);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (part.at(x, y))
                part.set(x, y, rampShade(ramp, lo, hi, domeLight((x + 0.5 - cx) / rx * 0.9, (y + 0.5 - cy) / ry * 0.9)));
}

void addPart(Canvas& sprite, uint8_t ramp, int lo, int hi, const std::function<void(Canvas&)>& draw,
             uint8_t outlineColour) {
    Canvas part(sprite.width(), sprite.height());
    draw(part);
    domeShade(part, ramp, lo, hi);
    if (outlineColour) part.outline(outlineColour);
    sprite.blit(part, 0, 0);
}

void addInked(Canvas& sprite, const std::function<void(Canvas&)>& draw, uint8_t outlineColour) {
    Canvas part(sprite.width(), sprite.height());
    draw(part);
    if (outlineColour) part.outline(outlineColour);
    sprite.blit(part, 0, 0);
}

void groundShadow(Canvas& sprite, double cx, double cy, double rx, double ry) {
    sprite.fillEllipse(cx, cy, rx, ry, pal::shade(pal::night, 1));
}
