// Seamless surfaces for 64×64 map cells: everything wraps at the cell
// edges so a wall or floor joins its own neighbours without a seam.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// Rounded stones packed edge to edge: each pixel learns which stone it
// belongs to, where it sits in that stone, and how near a joint it is.
struct StoneField {
    struct Sample {
        int stone;      // which stone
        double nx, ny;  // position inside the stone, about -1..1
        double joint;   // distance to the nearest joint, in pixels
    };
    StoneField(int size, int count, uint32_t seed);
    Sample at(int x, int y) const;

private:
    int size_;
    std::vector<std::pair<double, double>> centres_;
    std::vector<double> radii_;
};

// Sprinkles `count` small pebbles over a tile, wrapping at its edges.
void scatterPebbles(Canvas& tile, int count, uint8_t ramp, int lo, uint32_t seed);
