// Cells of the cave (codes 3, 4) and of the deep halls (codes 5, 6).
#include <cmath>

#include "palette.h"
#include "random.h"
#include "shading.h"
#include "texture.h"
#include "tiles.h"

namespace {

constexpr int cell = 64;

// Square blocks with lit top-left and shaded bottom-right faces.
uint8_t blockShade(int bx, int by, int size, uint8_t ramp, int face, double grain) {
    if (bx == size - 1 || by == size - 1) return pal::shade(ramp, 0);  // joint
    if (bx == 0 || by == 0) return pal::shade(ramp, face + 2);
    if (bx == size - 2 || by == size - 2) return pal::shade(ramp, face - 2);
    return pal::shade(ramp, face + (grain > 0.68 ? 1 : grain < 0.28 ? -1 : 0));
}

}  // namespace

Canvas drawCaveWallTile() {
    Canvas tile(cell, cell);
    const StoneField stones(cell, 9, 7);
    tile.paint([&](int x, int y) {
        const StoneField::Sample s = stones.at(x, y);
        if (s.joint < 1.5) return pal::shade(pal::earth, 0);
        if (s.joint < 3.0 && s.ny > -0.3) return pal::shade(pal::earth, 1);
        double light = domeLight(s.nx * 0.9, s.ny * 0.9);
        light += (tileNoise(x, y, cell, 16, 50 + s.stone) - 0.5) * 0.35;
        return rampShade(pal::earth, 2, 6, light);
    });
    return tile;
}

Canvas drawCaveFloorTile() {
    Canvas tile(cell, cell);
    tile.paint([&](int x, int y) {
        // Mostly one shade, with soft darker hollows.
        const double n = tileFractal(x, y, cell, 61);
        if (n < 0.36) return pal::shade(pal::earth, ditherOn(x, y, (0.36 - n) * 6) ? 2 : 3);
        if (n > 0.68) return pal::shade(pal::earth, ditherOn(x, y, (n - 0.68) * 5) ? 4 : 3);
        return pal::shade(pal::earth, 3);
    });
    scatterPebbles(tile, 12, pal::earth, 3, 62);
    // A hairline crack across the packed earth.
    Random random(63);
    int x = 8, y = 40;
    for (int i = 0; i < 22; ++i) {
        tile.setWrapped(x, y, pal::shade(pal::earth, 1));
        x += 1;
        y += random.between(-1, 1);
    }
    return tile;
}

Canvas drawHallWallTile() {
    Canvas tile(cell, cell);
    // Four dressed blocks, each a shade apart, with a rune cut in one.
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            const int block = (y / 32) * 2 + (x / 32);
            const int face = 4;
            tile.set(x, y, blockShade(x % 32, y % 32, 32, pal::deep, face, tileNoise(x, y, cell, 16, 70 + block)));
        }
    const uint8_t cut = pal::shade(pal::deep, 2), glow = pal::shade(pal::violet, 3);
    tile.line(43, 40, 43, 52, cut);
    tile.line(43, 40, 49, 44, cut);
    tile.line(43, 46, 49, 50, cut);
    tile.line(44, 41, 44, 52, glow);
    tile.line(44, 41, 49, 45, glow);
    return tile;
}

Canvas drawHallFloorTile() {
    Canvas tile(cell, cell);
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            // Flags of 32 × 32, the lower row shifted by half a flag.
            const int row = y / 32;
            const int sx = (x + row * 16) % cell;
            const int flag = row * 2 + sx / 32;
            const int bx = sx % 32, by = y % 32;
            uint8_t c;
            if (bx == 31 || by == 31) c = pal::shade(pal::deep, 0);
            else if (bx == 0 || by == 0) c = pal::shade(pal::deep, 3);
            else {
                const double n = tileNoise(x, y, cell, 8, 80 + flag);
                c = pal::shade(pal::deep, 2 + (n > 0.72 ? 1 : 0) - (n < 0.2 ? 1 : 0) + (flag == 1 ? 0 : 0));
            }
            tile.set(x, y, c);
        }
    tile.line(44, 40, 48, 46, pal::shade(pal::deep, 0));
    tile.line(48, 46, 53, 47, pal::shade(pal::deep, 0));
    return tile;
}
