#include "shading.h"

#include <algorithm>
#include <cmath>

#include "random.h"

double domeLight(double nx, double ny) {
    const double r2 = nx * nx + ny * ny;
    const double nz = r2 < 1.0 ? std::sqrt(1.0 - r2) : 0.0;
    // Light from up-left and in front of the picture.
    const double lx = -0.55, ly = -0.65, lz = 0.52;
    const double d = nx * lx + ny * ly + nz * lz;
    return std::clamp(0.15 + 0.85 * d, 0.0, 1.0);
}

uint8_t rampShade(uint8_t ramp, int lo, int hi, double brightness) {
    const int k = lo + static_cast<int>(std::floor(std::clamp(brightness, 0.0, 0.999) * (hi - lo + 1)));
    return static_cast<uint8_t>(ramp + std::clamp(k, lo, hi));
}

void shadedEllipse(Canvas& canvas, double cx, double cy, double rx, double ry, uint8_t ramp, int lo, int hi) {
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            if (nx * nx + ny * ny <= 1.0) canvas.set(x, y, rampShade(ramp, lo, hi, domeLight(nx, ny)));
        }
}

bool ditherOn(int x, int y, double level) {
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return level * 16.0 > bayer[y & 3][x & 3] + 0.5;
}

double tileNoise(double x, double y, int period, int cells, uint32_t seed) {
    const double step = static_cast<double>(period) / cells;
    const double gx = x / step, gy = y / step;
    const int x0 = static_cast<int>(std::floor(gx)), y0 = static_cast<int>(std::floor(gy));
    const double fx = gx - x0, fy = gy - y0;
    auto corner = [&](int cx, int cy) {
        const int wx = ((cx % cells) + cells) % cells, wy = ((cy % cells) + cells) % cells;
        return (hashCell(wx, wy, seed) & 0xFFFF) / 65535.0;
    };
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double sx = smooth(fx), sy = smooth(fy);
    const double top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * sx;
    const double bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

double tileFractal(double x, double y, int period, uint32_t seed) {
    return 0.55 * tileNoise(x, y, period, 4, seed) + 0.3 * tileNoise(x, y, period, 8, seed + 1) +
           0.15 * tileNoise(x, y, period, 16, seed + 2);
}
