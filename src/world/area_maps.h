// The areas of the world, cell by cell. Each area has a stored layout of
// cell codes; the one being played is copied into the live map, which is
// what every per-cell routine of a frame reads.
//
// Cell codes: 0, 4, 6 open floor; 1, 2, 3, 5 wall; 7 the pit. Code c is
// drawn from column c mod 10, row c / 10 of the background sheet.
#pragma once

#include <array>
#include <cstdint>

namespace varnholt {

constexpr int areaMapRows = 18;
constexpr int areaMapCols = 21;

// The live map: row-major with a stride of 21 whatever the area's width.
// The current area occupies its top-left mapRows × mapCols cells; cells
// beyond keep what a larger area left there.
using AreaMap = std::array<std::array<int16_t, areaMapCols>, areaMapRows>;
extern AreaMap areaMap;

// One stored layout: rows × cols codes, row-major with its own width.
struct MapLayout {
    int32_t cols;
    int32_t rows;
    const int16_t* cells;
};

extern const MapLayout layout40;       // outside the cave, 21 × 18, the pit at (3, 18)
extern const MapLayout layout30First;  // first cave area after the first fall: top and lower right walled up
extern const MapLayout layout30;
extern const MapLayout layout31;
extern const MapLayout layout32;
extern const MapLayout layout20;
extern const MapLayout layout22;
extern const MapLayout layout10;
extern const MapLayout layout10Alt;    // after the third fall, variant 1: an exit toward area 11
extern const MapLayout layout11;       // the great hall below the boss
extern const MapLayout layout12;
extern const MapLayout layout12Alt;    // after the third fall, variant 0: another maze, a fifth opening
extern const MapLayout layout1;        // the boss arena

// Called by loadArea when an area is installed: copies the layout into the
// top-left of areaMap and leaves the cells beyond it as they are.
void installLayout(const MapLayout& layout);

// The live map as the program starts: area 40. Called by resetGameState.
void resetAreaMap();

// Wall codes stop characters; floor codes let them through; the pit is
// neither.
constexpr bool isWallCode(int32_t code) { return code == 1 || code == 2 || code == 3 || code == 5; }
constexpr bool isFloorCode(int32_t code) { return code == 0 || code == 4 || code == 6; }
constexpr int16_t pitCode = 7;

}  // namespace varnholt
