// Cells of the meadow outside the cave (area 40).
#include <algorithm>
#include <cmath>

#include "palette.h"
#include "random.h"
#include "shading.h"
#include "texture.h"
#include "tiles.h"

namespace {

constexpr int cell = 64;

// A blade tuft: dark root, lit tips, drawn wrapping.
void tuft(Canvas& tile, int x, int y) {
    const uint8_t dark = pal::shade(pal::grass, 2), mid = pal::shade(pal::grass, 5), tip = pal::shade(pal::grass, 6);
    tile.setWrapped(x, y, dark);
    tile.setWrapped(x - 1, y - 1, mid);
    tile.setWrapped(x - 2, y - 2, tip);
    tile.setWrapped(x + 1, y - 1, mid);
    tile.setWrapped(x + 2, y - 2, tip);
    tile.setWrapped(x, y - 1, mid);
    tile.setWrapped(x, y - 2, mid);
    tile.setWrapped(x, y - 3, tip);
    tile.setWrapped(x - 1, y, dark);
    tile.setWrapped(x + 1, y, dark);
}

void flower(Canvas& tile, int x, int y, uint8_t petal) {
    tile.setWrapped(x, y - 1, petal);
    tile.setWrapped(x - 1, y, petal);
    tile.setWrapped(x + 1, y, petal);
    tile.setWrapped(x, y + 1, petal);
    tile.setWrapped(x, y, pal::shade(pal::gold, 5));
    tile.setWrapped(x, y + 2, pal::shade(pal::grass, 2));
}

void paintMeadow(Canvas& tile, uint32_t seed) {
    tile.paint([&](int x, int y) {
        const double n = tileFractal(x, y, cell, seed);
        // Banded blotches with a dithered seam between bands.
        const double level = n * 3.2;
        int band = static_cast<int>(level);
        if (ditherOn(x, y, (level - band) * 0.6)) ++band;
        return pal::shade(pal::grass, 2 + std::min(band, 3));
    });
}

// A crystal prism standing up out of the rock: lit left face, dark right
// face, the glint colour along its lit edge near the tip.
void crystalSpike(Canvas& tile, int x, int baseY, int height, int halfWidth) {
    Canvas prism(tile.width(), tile.height());
    for (int dy = 0; dy < height; ++dy) {
        const int w = std::min(halfWidth, height - 1 - dy);  // the tip narrows to a point
        for (int dx = -w; dx <= w; ++dx) {
            uint8_t c = dx < 0 ? pal::shade(pal::crystal, 6) : dx == 0 ? pal::shade(pal::crystal, 5)
                                                                        : pal::shade(pal::crystal, 3);
            if (dx == -w && dy > 1) c = pal::glint;
            prism.set(x + dx, baseY - dy, c);
        }
    }
    prism.outline(pal::shade(pal::crystal, 1));
    tile.blit(prism, 0, 0);
}

}  // namespace

Canvas drawMeadowTile() {
    Canvas tile(cell, cell);
    paintMeadow(tile, 11);
    Random random(5);
    for (int i = 0; i < 14; ++i) tuft(tile, random.below(cell), random.below(cell));
    flower(tile, 13, 41, pal::shade(pal::steel, 6));
    flower(tile, 47, 12, pal::shade(pal::heather, 5));
    return tile;
}

Canvas drawCragTile() {
    Canvas tile(cell, cell);
    const StoneField stones(cell, 9, 21);
    tile.paint([&](int x, int y) {
        const StoneField::Sample s = stones.at(x, y);
        if (s.joint < 1.0) return pal::shade(pal::stone, 0);
        if (s.joint < 2.0 && s.ny > 0) return pal::shade(pal::stone, 1);  // joints read as shadow below
        double light = domeLight(s.nx * 0.8, s.ny * 0.8);
        light += (tileNoise(x, y, cell, 16, 31 + s.stone) - 0.5) * 0.25;
        const uint8_t c = rampShade(pal::stone, 2, 6, light);
        // Moss settles on the lit tops of the stones.
        if (s.ny < -0.35 && tileNoise(x, y, cell, 8, 77) > 0.58) return pal::shade(pal::grass, light > 0.6 ? 4 : 3);
        return c;
    });
    crystalSpike(tile, 20, 30, 9, 2);
    crystalSpike(tile, 25, 31, 6, 2);
    crystalSpike(tile, 47, 55, 7, 2);
    return tile;
}

Canvas drawRuinTile() {
    Canvas tile(cell, cell);
    // Courses 16 high, blocks 32 long, every other course shifted by half.
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x) {
            const int course = y / 16;
            const int shifted = (x + (course % 2) * 16) % cell;
            const int block = course * 2 + shifted / 32;
            const int bx = shifted % 32, by = y % 16;
            uint8_t c;
            if (by == 15 || bx == 31) c = pal::shade(pal::earth, 1);           // mortar
            else if (by == 0 || bx == 0) c = pal::shade(pal::bone, 5);        // lit edge
            else if (by == 14 || bx == 30) c = pal::shade(pal::bone, 1);      // shaded edge
            else {
                const double n = tileNoise(x, y, cell, 16, 40 + block);
                c = pal::shade(pal::bone, n > 0.62 ? 4 : n < 0.3 ? 2 : 3);
            }
            tile.set(x, y, c);
        }
    // Moss in the joints and a crack, so the wall looks old.
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell; ++x)
            if (tileNoise(x, y, cell, 8, 91) > 0.66 && tileNoise(x, y, cell, 32, 92) > 0.45)
                tile.set(x, y, pal::shade(pal::grass, (x + y) % 3 == 0 ? 4 : 3));
    tile.line(40, 18, 43, 23, pal::shade(pal::bone, 0));
    tile.line(43, 23, 41, 28, pal::shade(pal::bone, 0));
    return tile;
}

// The pit: a ring of rough stones round the dark throat of the shaft,
// on a clear ground. The fall stretches this picture over the meadow, so
// nothing outside the ring may be painted.
Canvas drawPitTile() {
    Canvas tile(cell, cell);
    const double cx = 32, cy = 32;
    tile.paint([&](int x, int y) -> uint8_t {
        const double dx = (x + 0.5 - cx) / 31.5, dy = (y + 0.5 - cy) / 31.5;
        const double r = std::hypot(dx, dy);
        const double wobble = (tileNoise(x, y, cell, 8, 300) - 0.5) * 0.08;
        if (r + std::max(wobble, 0.0) > 1.0) return 0;
        if (r + wobble > 0.74) {
            const double lit = domeLight(-dx, -dy);  // the rim's inner side faces the light
            return rampShade(pal::stone, 2, 5, 1.0 - lit * 0.7);
        }
        // Deeper means darker; the far (upper) wall catches a little light.
        const double depth = (0.74 - r) / 0.74 + (dy > 0 ? 0.25 : -0.1);
        if (depth > 0.75) return pal::black;
        if (depth > 0.5) return pal::shade(pal::night, 0);
        if (depth > 0.3) return pal::shade(pal::earth, 1);
        return pal::shade(pal::earth, 2);
    });
    for (int a = 0; a < 360; a += 30) {  // stones of the rim
        const double t = a * 3.14159265 / 180;
        const int sx = static_cast<int>(cx + 27 * std::cos(t)), sy = static_cast<int>(cy + 27 * std::sin(t));
        tile.set(sx, sy, pal::shade(pal::stone, 6));
        tile.set(sx + 1, sy + 1, pal::shade(pal::stone, 1));
    }
    tile.outline(pal::ink);
    return tile;
}

Canvas drawGlint(bool large) {
    Canvas glint(cell, cell);
    // The gleam sits in the corner that touches the glinting wall.
    const int c = large ? 8 : 6;
    const int arm = large ? 8 : 4;
    for (int i = 1; i <= arm; ++i) {
        const uint8_t colour = i <= arm / 2 ? pal::glint : pal::shade(pal::crystal, 6);
        glint.set(c + i, c, colour);
        glint.set(c - i, c, colour);
        glint.set(c, c + i, colour);
        glint.set(c, c - i, colour);
    }
    if (large) {
        for (int i = 1; i <= 3; ++i) {
            const uint8_t colour = i == 1 ? pal::glint : pal::shade(pal::crystal, 6);
            glint.set(c + i, c + i, colour);
            glint.set(c - i, c - i, colour);
            glint.set(c + i, c - i, colour);
            glint.set(c - i, c + i, colour);
        }
        glint.set(c + 12, c + 5, pal::glint);  // a second, fainter sparkle
        glint.set(c + 11, c + 5, pal::shade(pal::crystal, 6));
        glint.set(c + 13, c + 5, pal::shade(pal::crystal, 6));
        glint.set(c + 12, c + 4, pal::shade(pal::crystal, 6));
        glint.set(c + 12, c + 6, pal::shade(pal::crystal, 6));
    }
    glint.set(c, c, pal::white);
    glint.set(c + 1, c, pal::glint);
    glint.set(c, c + 1, pal::glint);
    return glint;
}
