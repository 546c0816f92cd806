// The commands to the application: each announces itself, then acts, when
// its precondition holds.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

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
    // Every box of these commands is an information box.
    static std::vector<std::string> messages(const HeadlessBackend& backend) {
        std::vector<std::string> texts;
        for (const RecordedEvent& e : backend.events()) {
            if (e.kind != RecordedKind::Message) continue;
            EXPECT_EQ(e.icon, BoxIcon::Information) << e.text;
            texts.push_back(e.text);
        }
        return texts;
    }
};

// Held for two frames: a key acts in both; two keys both act, in order.
TEST_F(WindowCommands, EachSizeAnnouncesItselfThenSizesTheClientArea) {
    const char *w160 = "ウインドウ160×120", *w240 = "ウインドウ240×180";
    const struct { const char* keys; int width, height; std::vector<std::string> texts; } cases[] = {
        {"F2", 160, 120, {w160, w160}}, {"F3", 240, 180, {w240, w240}},
        {"F4", 320, 240, {"ウインドウ320×240", "ウインドウ320×240"}},
        {"F5", 480, 360, {"ウインドウ480×360", "ウインドウ480×360"}},
        {"F6", 640, 480, {"ウインドウ640×480", "ウインドウ640×480"}}, {"F2 F3", 240, 180, {w160, w240, w160, w240}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        HeadlessBackend& backend = start(std::string("1 ") + c.keys + "\n2\n");
        backend.startFrame();
        pollCommandKeys();
        pollCommandKeys();
        EXPECT_EQ(messages(backend), c.texts);
        EXPECT_EQ(displayMode, 1) << "a window size leaves full screen";
        EXPECT_EQ(std::tuple(backend.clientWidth(), backend.clientHeight()), std::tuple(c.width, c.height));
        EXPECT_NE(backgroundSheet, nullptr) << "the sheets are loaded anew";
    }
}

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

TEST_F(WindowCommands, PauseStopsPlayOnlyOnThePlayScreen) {
    start();
    const WindowMessage pause{MessageKind::KeyDown, vk::Pause}, stop{MessageKind::Command, command::stop};
    const WindowMessage held{MessageKind::KeyDown, vk::Pause, true};
    const struct { const char* what; int32_t scene; WindowMessage message; int32_t pausedAfter; } steps[] = {
        {"a press at the title", 0, pause, 0},
        {"a press in play", 1, pause, 1},
        {"the key's auto-repeat", 1, held, 1},
        {"its auto-repeat again", 1, held, 1},
        {"the menu's Stop", 1, stop, 0},
        {"a repeat after Stop", 1, held, 0},
        {"a new press", 1, pause, 1},
        {"Stop in the ending", 2, stop, 1},
    };
    for (const auto& s : steps) {
        scene = s.scene;
        windowProc(s.message);
        EXPECT_EQ(paused, s.pausedAfter) << s.what;
    }
}

// A box nobody saw was answered by nobody: the command it guards does
// nothing, though the mode it names was already chosen.
TEST_F(WindowCommands, ABoxThatCannotBeShownLeavesTheDisplayAsItWas) {
    const struct { const char* key; int modeBefore; int modeAfter; } cases[] = {
        {"F1", 1, 2}, {"F2", 1, 1}, {"F3", 2, 1}, {"F4", 1, 1}, {"F5", 1, 1}, {"F6", 2, 1},
    };
    for (const auto& c : cases) {
        HeadlessOptions options;
        std::string error;
        ASSERT_TRUE(parseInputScript(std::string("1 ") + c.key + "\n2\n", options.script, error)) << error;
        options.boxesFail = true;
        HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
        displayMode = c.modeBefore;
        ASSERT_EQ(initGame(1, 0, 1), 1);
        // Remaking the display would load every sheet again from its file.
        const uint8_t marked = uint8_t(backgroundSheet->pixels[0] ^ 0xFF);
        backgroundSheet->pixels[0] = marked;
        backend.startFrame();
        pollCommandKeys();
        EXPECT_EQ(displayMode, c.modeAfter) << c.key;
        EXPECT_EQ(std::tuple(backend.clientWidth(), backend.clientHeight()), std::tuple(640, 480)) << c.key;
        ASSERT_NE(backgroundSheet, nullptr) << c.key;
        EXPECT_EQ(backgroundSheet->pixels[0], marked) << c.key;
        EXPECT_TRUE(messages(backend).empty()) << c.key;
    }
}

}  // namespace
