// The commands to the application: each announces itself, then acts, when
// its precondition holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "app/window_commands.h"
#include "display/bitmaps.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

class WindowCommands : public ::testing::Test {
protected:
    HeadlessBackend& start(const std::string& script = "", int mode = 2) {
        HeadlessOptions options;
        std::string error;
        EXPECT_TRUE(parseInputScript(script, options.script, error)) << error;
        HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
        displayMode = mode;
        EXPECT_EQ(initGame(1, 0, 1), 1);
        return backend;
    }
    static std::vector<std::string> messages(const HeadlessBackend& backend) {
        std::vector<std::string> texts;
        for (const RecordedEvent& e : backend.events()) {
            if (e.kind == RecordedKind::Message) texts.push_back(e.text);
        }
        return texts;
    }
};

struct SizeCase {
    const char* key;
    int width, height;
    const char* text;
};

class WindowSize : public WindowCommands, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(WindowSize, AnnouncesItselfThenSizesTheClientArea) {
    const SizeCase& c = GetParam();
    HeadlessBackend& backend = start(std::string("1 ") + c.key + "\n2\n");
    backend.startFrame();
    pollCommandKeys();
    EXPECT_EQ(messages(backend), std::vector<std::string>{c.text});
    EXPECT_EQ(displayMode, 1) << "a window size leaves full screen";
    EXPECT_EQ(backend.clientWidth(), c.width);
    EXPECT_EQ(backend.clientHeight(), c.height);
    EXPECT_NE(backgroundSheet, nullptr) << "the sheets are loaded anew";
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowSize,
                         ::testing::Values(SizeCase{"F2", 160, 120, "ウインドウ160×120"},
                                           SizeCase{"F3", 240, 180, "ウインドウ240×180"},
                                           SizeCase{"F4", 320, 240, "ウインドウ320×240"},
                                           SizeCase{"F5", 480, 360, "ウインドウ480×360"},
                                           SizeCase{"F6", 640, 480, "ウインドウ640×480"}));

TEST_F(WindowCommands, FullScreenOnlyFromAWindow) {
    HeadlessBackend& backend = start("1 F1\n", 2);
    backend.startFrame();
    pollCommandKeys();
    EXPECT_TRUE(messages(backend).empty()) << "already full screen";
    displayMode = 1;
    pollCommandKeys();
    pollCommandKeys();
    EXPECT_EQ(messages(backend), std::vector<std::string>{"フルスクリーン"}) << "F1 acts once: then it is full screen";
    EXPECT_EQ(displayMode, 2);
}

TEST_F(WindowCommands, AHeldKeyActsEveryFrameAndTwoKeysBothAct) {
    HeadlessBackend& backend = start("1 F2 F3\n");
    backend.startFrame();
    pollCommandKeys();
    pollCommandKeys();
    EXPECT_EQ(messages(backend), (std::vector<std::string>{"ウインドウ160×120", "ウインドウ240×180",
                                                           "ウインドウ160×120", "ウインドウ240×180"}));
    EXPECT_EQ(backend.clientWidth(), 240);
}

TEST_F(WindowCommands, PauseStopsPlayOnlyOnThePlayScreen) {
    start();
    scene = 0;
    windowProc({MessageKind::KeyDown, vk::Pause});
    EXPECT_EQ(paused, 0);
    scene = 1;
    windowProc({MessageKind::KeyDown, vk::Pause});
    EXPECT_EQ(paused, 1);
    windowProc({MessageKind::Command, command::stop});
    EXPECT_EQ(paused, 0);
    scene = 2;
    windowProc({MessageKind::Command, command::stop});
    EXPECT_EQ(paused, 0);
}

TEST_F(WindowCommands, ExitAsksTheWindowToClose) {
    start();
    windowProc({MessageKind::Command, command::exit});
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(framesRun, 0u);
}

}  // namespace
