#include "platform/controller_mapping.h"

#include <algorithm>

namespace {

uint32_t axisPosition(int axis) { return uint32_t(std::clamp(axis + 32768, 0, 65535)); }

}  // namespace

void joyInfoFromController(const ControllerReading& reading, JoyInfo& info) {
    const bool dash = reading.leftShoulder || reading.rightShoulder;
    const uint32_t low = dash ? dpadDashLow : dpadWalkLow;
    const uint32_t high = dash ? dpadDashHigh : dpadWalkHigh;
    info.x = axisPosition(reading.leftX);
    info.y = axisPosition(reading.leftY);
    if (reading.dpadLeft) info.x = low;
    if (reading.dpadRight) info.x = high;
    if (reading.dpadUp) info.y = low;
    if (reading.dpadDown) info.y = high;
    info.buttons = (reading.south ? joyButton1 : 0) | (reading.east ? joyButton2 : 0);
}
