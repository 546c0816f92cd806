// How a game controller's left stick, d-pad, face and shoulder buttons
// become the joystick position record the game reads. No SDL here, so it
// can be checked without a controller. Shared by the SDL and the browser
// back ends.
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
    bool south = false;          // the bottom face button (A on an Xbox pad)
    bool east = false;           // the right face button (B)
    bool leftShoulder = false;   // L1 / LB
    bool rightShoulder = false;  // R1 / RB
};

// Joystick button bits the game knows.
constexpr uint32_t joyButton1 = 1;
constexpr uint32_t joyButton2 = 2;

// Where a d-pad direction puts its axis: half-way, past the game's walking
// threshold (27000 and below, 37000 and above) but short of its dashing one
// (4000 and below, 60000 and above), so the d-pad walks. With either
// shoulder button held it goes to the end and dashes.
constexpr uint32_t dpadWalkLow = 16384;
constexpr uint32_t dpadWalkHigh = 49152;
constexpr uint32_t dpadDashLow = 0;
constexpr uint32_t dpadDashHigh = 65535;

// Fills x and y (0..65535, centre 32768) and buttons; other fields are left
// as the caller set them. On each axis a pressed d-pad direction wins over
// the stick; the stick pushed to its end dashes on its own. The shoulder
// buttons change only the d-pad's reach.
// Called by the SDL and the browser back ends' queryJoystick.
void joyInfoFromController(const ControllerReading& reading, JoyInfo& info);
