// Key taps between frames: latched presses count in every reading of the
// next frame, once.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "platform/key_latch.h"
#include "platform/platform.h"

namespace {

// What one step does to the latch, and the byte of key C read by it.
enum class Step { PressC, StartFrame, Forget, ReadNothingHeld, ReadCHeld };

struct LatchCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<uint8_t> readings;  // key C's byte at each Read step, in order
};

void PrintTo(const LatchCase& c, std::ostream* os) { *os << c.name; }
class KeyLatchTable : public ::testing::TestWithParam<LatchCase> {};

TEST_P(KeyLatchTable, ReadsKeyC) {
    KeyLatch latch;
    std::vector<uint8_t> readings;
    for (Step step : GetParam().steps) {
        std::array<uint8_t, 256> state{};
        switch (step) {
        case Step::PressC: latch.press(vk::C); break;
        case Step::StartFrame: latch.startFrame(); break;
        case Step::Forget: latch.forget(); break;
        case Step::ReadCHeld: state[vk::C] = keyDownBit; [[fallthrough]];
        case Step::ReadNothingHeld:
            latch.addTo(state.data());
            readings.push_back(state[vk::C]);
            break;
        }
    }
    EXPECT_EQ(readings, GetParam().readings);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Taps, KeyLatchTable,
    ::testing::Values(
        LatchCase{"NoPressNothingHeld", {S::StartFrame, S::ReadNothingHeld}, {0x00}},
        LatchCase{"TapBetweenFramesCountsInEveryReadingOfTheNext",
                  {S::PressC, S::StartFrame, S::ReadNothingHeld, S::ReadNothingHeld, S::StartFrame,
                   S::ReadNothingHeld},
                  {0x80, 0x80, 0x00}},
        LatchCase{"PressAfterTheFirstReadingWaitsForTheNextFrame",
                  {S::StartFrame, S::ReadNothingHeld, S::PressC, S::ReadNothingHeld, S::StartFrame,
                   S::ReadNothingHeld, S::StartFrame, S::ReadNothingHeld},
                  {0x00, 0x00, 0x80, 0x00}},
        LatchCase{"PressBeforeTheFirstReadingOfItsFrameCountsAtOnce",
                  {S::StartFrame, S::PressC, S::ReadNothingHeld}, {0x80}},
        LatchCase{"HeldKeyStaysHeldAfterItsFrame",
                  {S::PressC, S::StartFrame, S::ReadCHeld, S::StartFrame, S::ReadCHeld}, {0x80, 0x80}},
        LatchCase{"TwoPressesInOneGapCountOnce",
                  {S::PressC, S::PressC, S::StartFrame, S::ReadNothingHeld, S::StartFrame, S::ReadNothingHeld},
                  {0x80, 0x00}},
        LatchCase{"ForgetDropsLatchedPresses", {S::PressC, S::Forget, S::StartFrame, S::ReadNothingHeld}, {0x00}},
        LatchCase{"ForgetDropsTheFramesPresses",
                  {S::PressC, S::StartFrame, S::ReadNothingHeld, S::Forget, S::ReadNothingHeld}, {0x80, 0x00}}),
    [](const ::testing::TestParamInfo<LatchCase>& info) { return std::string(info.param.name); });

TEST(KeyLatch, OnlyPressedKeysAreAddedAndOthersKept) {
    KeyLatch latch;
    latch.press(vk::Left);
    latch.press(0);    // no key
    latch.press(256);  // out of range
    latch.press(-1);
    latch.startFrame();
    std::array<uint8_t, 256> state{};
    state[vk::X] = keyDownBit;
    latch.addTo(state.data());
    std::array<uint8_t, 256> expected{};
    expected[vk::X] = keyDownBit;
    expected[vk::Left] = keyDownBit;
    EXPECT_EQ(state, expected);
}

}  // namespace
