// The headless input script: what is held in which frame.
#include <gtest/gtest.h>

#include "platform/headless/input_script.h"
#include "platform/platform.h"

namespace {

TEST(InputScript, HoldsEachLineUntilTheNext) {
    std::vector<ScriptedInput> lines;
    std::string error;
    ASSERT_TRUE(parseInputScript("# walk, then attack\n"
                                 "3 Right X   # dash\n"
                                 "\n"
                                 "10 C joy=0,65535,3\n"
                                 "12\n",
                                 lines, error))
        << error;
    EXPECT_EQ(inputAtFrame(lines, 2), nullptr);
    ASSERT_NE(inputAtFrame(lines, 3), nullptr);
    EXPECT_EQ(inputAtFrame(lines, 9)->keys, (std::vector<int>{vk::Right, vk::X}));
    const ScriptedInput* tenth = inputAtFrame(lines, 11);
    EXPECT_EQ(tenth->keys, (std::vector<int>{vk::C}));
    EXPECT_EQ(tenth->joyX, 0u);
    EXPECT_EQ(tenth->joyY, 65535u);
    EXPECT_EQ(tenth->joyButtons, 3u);
    EXPECT_TRUE(inputAtFrame(lines, 500)->keys.empty());
    EXPECT_EQ(inputAtFrame(lines, 500)->joyX, 32767u) << "an unscripted joystick is centred";
}

TEST(InputScript, KnowsEveryKeyName) {
    std::vector<ScriptedInput> lines;
    std::string error;
    ASSERT_TRUE(parseInputScript("1 Up Down Left Right X C Z V Enter Esc F1 F2 F3 F4 F5 F6 F7 F8",
                                 lines, error));
    EXPECT_EQ(lines[0].keys,
              (std::vector<int>{0x26, 0x28, 0x25, 0x27, 0x58, 0x43, 0x5A, 0x56, 0x0D, 0x1B, 0x70,
                                0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77}));
}

TEST(InputScript, RejectsABadLineNamingIt) {
    for (const char* line : {"Up", "0 Up", "-3 Up", "4 Jump", "4 joy=1,2", "4 joy=1,2,3,4", "4 joy=70000,0,0",
                             "4 joy=a,b,c", "4x Up"}) {
        std::vector<ScriptedInput> lines;
        std::string error;
        EXPECT_FALSE(parseInputScript(std::string("1 Up\n") + line, lines, error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(InputScript, PutsLinesInFrameOrderKeepingTheOrderOfEqualFrames) {
    std::vector<ScriptedInput> lines;
    std::string error;
    ASSERT_TRUE(parseInputScript("7 Z\n5 X\n2 Up\n5 C\n", lines, error)) << error;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].keys, std::vector<int>{vk::Up});
    EXPECT_EQ(lines[1].keys, std::vector<int>{vk::X});
    EXPECT_EQ(lines[2].keys, std::vector<int>{vk::C});
    EXPECT_EQ(lines[3].keys, std::vector<int>{vk::Z});
    EXPECT_EQ(inputAtFrame(lines, 1), nullptr);
    EXPECT_EQ(inputAtFrame(lines, 4), &lines[0]);
    EXPECT_EQ(inputAtFrame(lines, 6), &lines[2]) << "the last of the lines of frame 5";
    EXPECT_EQ(inputAtFrame(lines, 4000000000u), &lines[3]);
}

}  // namespace
