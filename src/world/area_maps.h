// The live map of the current area: 18 rows of 21 cells, each a signed
// 16-bit cell code.
#pragma once

#include <cstdint>

namespace varnholt {

constexpr int areaMapRows = 18;
constexpr int areaMapCols = 21;

extern int16_t areaMap[areaMapRows][areaMapCols];

}  // namespace varnholt
