// The frame: its pacing, its random rolls and the steps it owns itself.
#include <gtest/gtest.h>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/random.h"
#include "app/startup.h"
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

struct PacingCase {
    const char* what;
    uint32_t clockStart;
    uint32_t workBeforeSecondFrame;  // ms spent between the two frames
    uint32_t firstRelease;
    uint32_t secondRelease;
};

class Pacing : public ::testing::TestWithParam<PacingCase> {};

TEST_P(Pacing, FramesStartNoEarlierThan16msApart) {
    const PacingCase& c = GetParam();
    HeadlessOptions options;
    options.clockStart = c.clockStart;
    HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
    runFrame();
    EXPECT_EQ(lastFrameTime, c.firstRelease) << c.what;
    backend.waitMs(c.workBeforeSecondFrame);
    runFrame();
    EXPECT_EQ(lastFrameTime, c.secondRelease) << c.what;
    EXPECT_EQ(backend.clockMs(), c.secondRelease) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pacing,
    ::testing::Values(PacingCase{"quick frame waits", 1000, 5, 1016, 1032},
                      PacingCase{"exactly 16 ms goes on at once", 1000, 16, 1016, 1032},
                      PacingCase{"late frame goes on at once", 1000, 40, 1016, 1056},
                      PacingCase{"clock wraps during the first wait", 0xFFFFFFF8u, 3, 8, 24},
                      PacingCase{"clock wraps between frames", 0xFFFFFFE0u, 20, 0xFFFFFFF0u, 4}));

TEST(FrameDriver, RollsComeFromTheClockReadingOfTheFrame) {
    HeadlessOptions options;
    options.clockStart = 5000;
    testing_support::freshHeadlessGame(options);
    runFrame();
    seedRandom(lastFrameTime);
    for (int32_t roll : dirRoll) EXPECT_EQ(roll, drawRandom() & 7);
    EXPECT_EQ(roll1000, drawRandom() % 1000);
    EXPECT_EQ(roll300, drawRandom() % 300);
    EXPECT_EQ(roll500, drawRandom() % 500);
}

TEST(FrameDriver, EarthquakeShakesPlaysAndRaisesTheNotice) {
    HeadlessBackend& backend = testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    scene = 1;
    quakeFrames = 3;
    runFrame();
    EXPECT_EQ(shakeX, -5);
    EXPECT_EQ(quakeFrames, 2);
    EXPECT_EQ(quakeNotice, 149) << "raised to 150, then shown once in the same frame";
    ASSERT_FALSE(backend.events().empty());
    EXPECT_EQ(backend.events().back().kind, RecordedKind::Sound);
    EXPECT_EQ(backend.events().back().effect, static_cast<int>(SoundEffect::Earthquake));
    runFrame();
    EXPECT_EQ(shakeX, 5);
    EXPECT_EQ(quakeFrames, 1);
    runFrame();
    runFrame();
    EXPECT_EQ(shakeX, 0);
    EXPECT_EQ(quakeFrames, 0);
}

TEST(FrameDriver, PreviousPositionFollowsUnlessPushed) {
    testing_support::freshHeadlessGame();
    playerX = 100;  // on the open meadow of area 40, clear of every wall
    playerY = 112;
    pushedX = 1;
    runFrame();
    EXPECT_EQ(pushedX, 0);
    EXPECT_EQ(prevPlayerX, 0) << "a push keeps the previous position";
    EXPECT_EQ(prevPlayerY, 112);
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

TEST(StartUp, GivesTheStartValues) {
    testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    EXPECT_EQ(scene, 0);
    EXPECT_EQ(areaId, 40);
    EXPECT_EQ(mapCols, 21);
    EXPECT_EQ(mapRows, 18);
    EXPECT_EQ(playerX, -224);
    EXPECT_EQ(playerY, 814);
    EXPECT_EQ(facing, 1);
    EXPECT_EQ(hp, 15);
    EXPECT_EQ(maxHp, 15);
    EXPECT_EQ(stamina, 9000);
    EXPECT_EQ(maxStamina, 9000);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(attack, 1);
    EXPECT_EQ(playing, 1);
    EXPECT_EQ(bossAlive, 1);
    EXPECT_EQ(displayMode, 2);
    EXPECT_EQ(joystickPresent, 0);
    EXPECT_EQ(joyInfo.size, 52u);
    EXPECT_EQ(joyInfo.flags, 0x83u);
}

TEST(StartUp, FindsAPluggedInJoystick) {
    HeadlessOptions options;
    options.joystickPresent = true;
    testing_support::freshHeadlessGame(options);
    ASSERT_EQ(initGame(1, 0, 1), 1);
    EXPECT_EQ(joystickPresent, 1);
}

TEST(MessageLoop, EscClosesTheWindowAndTheLoopEndsWithCodeZero) {
    HeadlessBackend& backend = testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    backend.postMessage({MessageKind::KeyDown, vk::Escape});
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(framesRun, 0u) << "the activation came first, then Esc, before any frame";
}

}  // namespace
