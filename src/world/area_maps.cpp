#include "world/area_maps.h"

namespace varnholt {

int16_t areaMap[areaMapRows][areaMapCols] = {};

}  // namespace varnholt
