#include "platform/controller_mapping.h"

#include <algorithm>

namespace {

uint32_t axisPosition(int axis) { return uint32_t(std::clamp(axis + 32768, 0, 65535)); }

}  // namespace

void joyInfoFromController(const ControllerReading& reading, JoyInfo& info) {
    info.x = axisPosition(reading.leftX);
    info.y = axisPosition(reading.leftY);
    if (reading.dpadLeft) info.x = 0;
    if (reading.dpadRight) info.x = 65535;
    if (reading.dpadUp) info.y = 0;
    if (reading.dpadDown) info.y = 65535;
    info.buttons = (reading.south ? joyButton1 : 0) | (reading.east ? joyButton2 : 0);
}
