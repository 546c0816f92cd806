#include <gtest/gtest.h>

#include "platform/controller_mapping.h"

namespace {

struct JoyCase {
    const char* name;
    ControllerReading reading;
    uint32_t x;
    uint32_t y;
    uint32_t buttons;
};

ControllerReading stick(int x, int y) {
    ControllerReading r;
    r.leftX = x;
    r.leftY = y;
    return r;
}

ControllerReading dpad(bool left, bool right, bool up, bool down, int x = 0, int y = 0) {
    ControllerReading r = stick(x, y);
    r.dpadLeft = left;
    r.dpadRight = right;
    r.dpadUp = up;
    r.dpadDown = down;
    return r;
}

// The d-pad with a shoulder button held: left (L1) or right (R1).
ControllerReading shoulder(ControllerReading r, bool left, bool right) {
    r.leftShoulder = left;
    r.rightShoulder = right;
    return r;
}

ControllerReading buttons(bool south, bool east) {
    ControllerReading r;
    r.south = south;
    r.east = east;
    return r;
}

void PrintTo(const JoyCase& c, std::ostream* os) { *os << c.name; }
class JoystickTable : public ::testing::TestWithParam<JoyCase> {};

TEST_P(JoystickTable, FillsPositionAndButtons) {
    const JoyCase& c = GetParam();
    JoyInfo info{};
    info.size = sizeof(JoyInfo);
    info.flags = joyReturnX | joyReturnY | joyReturnButtons;
    info.z = 77;
    joyInfoFromController(c.reading, info);
    EXPECT_EQ(info.x, c.x);
    EXPECT_EQ(info.y, c.y);
    EXPECT_EQ(info.buttons, c.buttons);
    // Only what the game reads is touched.
    EXPECT_EQ(info.size, sizeof(JoyInfo));
    EXPECT_EQ(info.flags, joyReturnX | joyReturnY | joyReturnButtons);
    EXPECT_EQ(info.z, 77u);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, JoystickTable,
    ::testing::Values(JoyCase{"Centred", stick(0, 0), 32768, 32768, 0},
                      JoyCase{"FullLeftUp", stick(-32768, -32768), 0, 0, 0},
                      JoyCase{"FullRightDown", stick(32767, 32767), 65535, 65535, 0},
                      JoyCase{"Halfway", stick(-16384, 16384), 16384, 49152, 0},
                      JoyCase{"OutOfRangeIsClamped", stick(-40000, 40000), 0, 65535, 0},
                      // The d-pad walks: half-way, between walking (27000 / 37000) and
                      // dashing (4000 / 60000).
                      JoyCase{"DpadLeft", dpad(true, false, false, false, 20000, 0), 16384, 32768, 0},
                      JoyCase{"DpadRight", dpad(false, true, false, false, -20000, 0), 49152, 32768, 0},
                      JoyCase{"DpadUp", dpad(false, false, true, false, 0, 20000), 32768, 16384, 0},
                      JoyCase{"DpadDownKeepsStickX", dpad(false, false, false, true, 1000, -5), 33768,
                              49152, 0},
                      JoyCase{"DpadDiagonal", dpad(false, true, true, false), 49152, 16384, 0},
                      JoyCase{"DpadWinsOverAStickAtItsEnd", dpad(true, false, false, false, 32767, 0), 16384,
                              32768, 0},
                      // A shoulder button held with the d-pad dashes.
                      JoyCase{"DpadLeftWithLeftShoulder", shoulder(dpad(true, false, false, false), true, false),
                              0, 32768, 0},
                      JoyCase{"DpadRightWithRightShoulder", shoulder(dpad(false, true, false, false), false, true),
                              65535, 32768, 0},
                      JoyCase{"DpadUpWithBothShoulders", shoulder(dpad(false, false, true, false), true, true),
                              32768, 0, 0},
                      JoyCase{"DpadDiagonalWithLeftShoulder", shoulder(dpad(true, false, false, true), true, false),
                              0, 65535, 0},
                      // The shoulders change nothing without the d-pad.
                      JoyCase{"ShoulderLeavesTheStick", shoulder(stick(-16384, 16384), true, true), 16384, 49152, 0},
                      JoyCase{"ShoulderAloneIsCentred", shoulder(stick(0, 0), false, true), 32768, 32768, 0},
                      JoyCase{"SouthButton", buttons(true, false), 32768, 32768, 1},
                      JoyCase{"EastButton", buttons(false, true), 32768, 32768, 2},
                      JoyCase{"BothButtons", buttons(true, true), 32768, 32768, 3}),
    [](const ::testing::TestParamInfo<JoyCase>& info) { return std::string(info.param.name); });

TEST(JoystickMapping, ButtonsAreReplacedNotAccumulated) {
    JoyInfo info{};
    info.buttons = 0xFF;
    joyInfoFromController(buttons(false, true), info);
    EXPECT_EQ(info.buttons, joyButton2);
}

}  // namespace
