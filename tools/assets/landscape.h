// Painting helpers for the two outdoor pictures (the opening moor and the
// ending sunrise): skies, ridges and stars.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// One colour stop of a sky: from row `row` on, `colour`.
struct SkyStop {
    int row;
    uint8_t colour;
};
// Fills rows between stops with dithered blends of neighbouring stops.
void paintSky(Canvas& canvas, const layout::Rect& area, const std::vector<SkyStop>& stops);
// A ridge line across `area`: everything below a wandering height at
// about `baseRow` (± `roughness`) becomes `colour`, lit along its crest.
void paintRidge(Canvas& canvas, const layout::Rect& area, int baseRow, double roughness, uint8_t colour,
                uint8_t crest, uint32_t seed);
void paintStars(Canvas& canvas, const layout::Rect& area, int count, uint32_t seed);
