// The frame: its pacing, its random rolls and the steps it owns itself.
#include <gtest/gtest.h>

#include <tuple>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/random.h"
#include "app/startup.h"
#include "app/window_commands.h"
#include "audio/sound_effects.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
    seedRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169};
    for (int32_t value : expected) EXPECT_EQ(drawRandom(), value);
    seedRandom(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int32_t value = drawRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(FrameDriver, FramesStartNoEarlierThan16msApart) {
    const struct {
        const char* what;
        uint32_t clockStart, workBeforeSecondFrame, firstRelease, secondRelease;
    } cases[] = {{"quick frame waits", 1000, 5, 1016, 1032},
                 {"exactly 16 ms goes on at once", 1000, 16, 1016, 1032},
                 {"late frame goes on at once", 1000, 40, 1016, 1056},
                 {"clock wraps during the first wait", 0xFFFFFFF8u, 3, 8, 24},
                 {"clock wraps between frames", 0xFFFFFFE0u, 20, 0xFFFFFFF0u, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessOptions options;
        options.clockStart = c.clockStart;
        HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
        runFrame();
        EXPECT_EQ(lastFrameTime, c.firstRelease);
        backend.waitMs(c.workBeforeSecondFrame);
        runFrame();
        EXPECT_EQ(std::tuple(lastFrameTime, backend.clockMs()), std::tuple(c.secondRelease, c.secondRelease));
    }
}

TEST(FrameDriver, RollsComeFromTheClockReadingOfTheFrame) {
    HeadlessOptions options;
    options.clockStart = 5000;
    testing_support::freshHeadlessGame(options);
    runFrame();
    // Seeded with the release at 5016: eight draws & 7, then % 1000, % 300
    // and % 500 of the next three.
    ASSERT_EQ(lastFrameTime, 5016u);
    const int32_t directions[8] = {2, 5, 2, 2, 0, 2, 3, 2};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(dirRoll[i], directions[i]) << "dirRoll[" << i << "]";
    EXPECT_EQ(std::tuple(roll1000, roll300, roll500), std::tuple(851, 192, 120));
}

TEST(FrameDriver, EarthquakeShakesPlaysAndRaisesTheNotice) {
    HeadlessBackend& backend = testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    scene = 1;
    quakeFrames = 3;
    runFrame();
    // Raised to 150, then shown once in the same frame.
    EXPECT_EQ(std::tuple(shakeX, quakeFrames, quakeNotice), std::tuple(-5, 2, 149));
    EXPECT_EQ(std::tuple(backend.events().back().kind, backend.events().back().effect),
              std::tuple(RecordedKind::Sound, int(SoundEffect::Earthquake)));
    runFrame();
    EXPECT_EQ(std::tuple(shakeX, quakeFrames), std::tuple(5, 1));
    runFrame();
    runFrame();
    EXPECT_EQ(std::tuple(shakeX, quakeFrames), std::tuple(0, 0));
}

TEST(FrameDriver, PreviousPositionFollowsUnlessPushed) {
    testing_support::freshHeadlessGame();
    playerX = 100;  // on the open meadow of area 40, clear of every wall
    playerY = 112;
    pushedX = 1;
    runFrame();
    EXPECT_EQ(std::tuple(pushedX, prevPlayerX, prevPlayerY), std::tuple(0, 0, 112)) << "a push keeps the previous x";
    runFrame();
    EXPECT_EQ(prevPlayerX, 100);
}

TEST(FrameDriver, DeathDuringTheEndingReturnsToPlay) {
    testing_support::freshHeadlessGame();
    scene = 2;
    hp = 0;
    runFrame();
    EXPECT_EQ(scene, 1);
}

// Esc, or the menu's Exit: the window is asked to close, and the loop ends
// with code 0 before any frame, the activation having come first.
TEST(MessageLoop, EscOrExitClosesTheWindowAndTheLoopEndsWithCodeZero) {
    for (const WindowMessage& close : {WindowMessage{MessageKind::KeyDown, vk::Escape},
                                       WindowMessage{MessageKind::Command, command::exit}}) {
        HeadlessBackend& backend = testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        backend.postMessage(close);
        EXPECT_EQ(runMessageLoop(), 0);
        EXPECT_EQ(framesRun, 0u);
    }
}

}  // namespace
