#include "landscape.h"

#include <cmath>

#include "palette.h"
#include "random.h"
#include "shading.h"

void paintSky(Canvas& canvas, const layout::Rect& area, const std::vector<SkyStop>& stops) {
    for (int y = area.top; y < area.bottom; ++y) {
        size_t i = 0;
        while (i + 1 < stops.size() && stops[i + 1].row <= y) ++i;
        uint8_t colour = stops[i].colour;
        if (i + 1 < stops.size()) {
            const double t = static_cast<double>(y - stops[i].row) / (stops[i + 1].row - stops[i].row);
            for (int x = area.left; x < area.right; ++x)
                canvas.set(x, y, ditherOn(x, y, t) ? stops[i + 1].colour : colour);
        } else {
            canvas.fillRect(area.left, y, area.right, y + 1, colour);
        }
    }
}

void paintRidge(Canvas& canvas, const layout::Rect& area, int baseRow, double roughness, uint8_t colour,
                uint8_t crest, uint32_t seed) {
    Random random(seed);
    const double a = random.unit() * 6, b = random.unit() * 6, c = random.unit() * 6;
    for (int x = area.left; x < area.right; ++x) {
        const double t = x * 0.02;
        const double h = std::sin(t + a) * 0.5 + std::sin(t * 2.3 + b) * 0.3 + std::sin(t * 5.1 + c) * 0.2;
        const int top = baseRow + static_cast<int>(h * roughness);
        for (int y = std::max(top, area.top); y < area.bottom; ++y) canvas.set(x, y, colour);
        canvas.set(x, top, crest);
    }
}

void paintStars(Canvas& canvas, const layout::Rect& area, int count, uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const int x = random.between(area.left, area.right - 1), y = random.between(area.top, area.bottom - 1);
        const bool bright = random.below(5) == 0;
        canvas.set(x, y, bright ? pal::white : pal::shade(pal::night, 7));
        if (bright) {
            canvas.set(x + 1, y, pal::shade(pal::night, 6));
            canvas.set(x - 1, y, pal::shade(pal::night, 6));
            canvas.set(x, y + 1, pal::shade(pal::night, 6));
            canvas.set(x, y - 1, pal::shade(pal::night, 6));
        }
    }
}
