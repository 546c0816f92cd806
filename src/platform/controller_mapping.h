// How a game controller's left stick, d-pad and face buttons become the
// joystick position record the game reads. No SDL here, so it can be
// checked without a controller. Shared by the SDL and the browser back ends.
#pragma once

#include "platform/platform.h"

// One reading of the parts of a controller the game uses.
struct ControllerReading {
    int leftX = 0;  // stick axes as SDL reports them, -32768..32767
    int leftY = 0;
    bool dpadLeft = false;
    bool dpadRight = false;
    bool dpadUp = false;
    bool dpadDown = false;
    bool south = false;  // the bottom face button (A on an Xbox pad)
    bool east = false;   // the right face button (B)
};

// Joystick button bits the game knows.
constexpr uint32_t joyButton1 = 1;
constexpr uint32_t joyButton2 = 2;

// Fills x and y (0..65535, centre about 32767) and buttons; other fields
// are left as the caller set them. The d-pad wins over the stick so that
// a pad without a usable stick still moves the hero at full tilt.
// Called by the SDL and the browser back ends' queryJoystick.
void joyInfoFromController(const ControllerReading& reading, JoyInfo& info);
