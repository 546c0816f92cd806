// Light falls from the upper left on everything in the game; these turn
// that rule into ramp shades for round bodies, textures and dithered
// blends.
#pragma once

#include <cstdint>

#include "canvas.h"

// Brightness 0..1 of a point on a dome whose outline is the unit circle.
double domeLight(double nx, double ny);
// Maps brightness 0..1 onto shades lo..hi of a ramp.
uint8_t rampShade(uint8_t ramp, int lo, int hi, double brightness);
// A lit ellipse: shades lo..hi of `ramp`, brightest toward the upper left.
void shadedEllipse(Canvas& canvas, double cx, double cy, double rx, double ry, uint8_t ramp, int lo, int hi);
// 4×4 ordered dither: true when `level` (0..1) should take the upper colour here.
bool ditherOn(int x, int y, double level);
// Smooth value noise 0..1 that repeats every `period` pixels in x and y,
// with `cells` lattice cells per period.
double tileNoise(double x, double y, int period, int cells, uint32_t seed);
// Three octaves of tileNoise, for natural surfaces.
double tileFractal(double x, double y, int period, uint32_t seed);
