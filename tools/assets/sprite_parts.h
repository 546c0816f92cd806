// Sprites are built from parts painted back to front; each part is a
// flat silhouette that gets lit as a rounded body and inked round its
// edge before it goes on, so overlapping parts keep a line between them.
#pragma once

#include <cstdint>
#include <functional>

#include "canvas.h"

// Lights every painted pixel of `part` as a dome spanning its bounds.
void domeShade(Canvas& part, uint8_t ramp, int lo, int hi);
// Paints one part with `draw`, lights it, outlines it and lays it on `sprite`.
void addPart(Canvas& sprite, uint8_t ramp, int lo, int hi, const std::function<void(Canvas&)>& draw,
             uint8_t outlineColour = 1);
// A part that is drawn already in its final colours, just outlined.
void addInked(Canvas& sprite, const std::function<void(Canvas&)>& draw, uint8_t outlineColour = 1);
// A soft ground shadow under a figure.
void groundShadow(Canvas& sprite, double cx, double cy, double rx, double ry);
