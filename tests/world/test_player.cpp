// The player's controls, stamina and sprite.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"
#include "world/player.h"

using namespace varnholt;

namespace {

// A started game in play, controlled one frame at a time or by whole frames.
class PlayerControl : public ::testing::Test {
protected:
    void start(const std::string& script, bool joystick = false) {
        HeadlessOptions options;
        options.joystickPresent = joystick;
        std::string error;
        ASSERT_TRUE(parseInputScript(script, options.script, error)) << error;
        backend = &testing_support::freshHeadlessGame(std::move(options));
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
    }
    // What the frame driver does around the player's control: the back end
    // moves on to the next frame of the script, the stick record is copied.
    void control(int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            backend->startFrame();
            joyX = int32_t(joyInfo.x);
            joyY = int32_t(joyInfo.y);
            joyButtons = int32_t(joyInfo.buttons);
            controlPlayer();
        }
    }
    // Sword sounds played in `frame`, or in any frame when it is 0.
    int swordSounds(uint32_t frame = 0) const {
        return int(std::count_if(backend->events().begin(), backend->events().end(),
                                 [&](const RecordedEvent& e) {
                                     return e.kind == RecordedKind::Sound &&
                                            e.effect == int(SoundEffect::Sword) &&
                                            (frame == 0 || e.frame == frame);
                                 }));
    }
    HeadlessBackend* backend = nullptr;
};

struct WalkCase {
    const char* keys;
    int32_t facingBefore, dx, dy, facingAfter, staminaCost, walkSteps, idleAfter;
};

class PlayerWalk : public PlayerControl, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(PlayerWalk, FromStandingStill) {
    const WalkCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(std::string("1 ") + c.keys + "\n"));
    facing = c.facingBefore;
    idleFrames = 5;  // has been standing
    control();
    EXPECT_EQ(playerX, -224 + c.dx) << c.keys;
    EXPECT_EQ(playerY, 814 + c.dy) << c.keys;
    EXPECT_EQ(facing, c.facingAfter) << c.keys;
    EXPECT_EQ(stamina, 9000 - c.staminaCost) << c.keys;
    EXPECT_EQ(walkCounter, c.walkSteps) << c.keys;
    EXPECT_EQ(idleFrames, c.idleAfter) << c.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Directions, PlayerWalk,
    ::testing::Values(WalkCase{"Up", 1, 0, -2, 0, 1, 1, 1}, WalkCase{"Down", 1, 0, 2, 2, 1, 1, 1},
                      WalkCase{"Left", 1, -2, 0, 3, 1, 1, 1},
                      WalkCase{"Right", 3, 2, 0, 1, 1, 1, 1},
                      WalkCase{"Up Right", 1, 2, -2, 0, 2, 1, 1},
                      WalkCase{"Up Left", 3, -2, -2, 0, 2, 1, 1},
                      WalkCase{"Down Right", 1, 2, 2, 2, 2, 1, 1},
                      WalkCase{"Down Left", 3, -2, 2, 2, 2, 1, 1},
                      WalkCase{"Up Down", 1, 0, 0, 2, 2, 1, 1},
                      WalkCase{"Left Right", 0, 0, 0, 1, 2, 1, 1},
                      WalkCase{"X", 2, 0, 0, 2, 0, 0, 6}, WalkCase{"", 3, 0, 0, 3, 0, 0, 6}));



// The first frame's stamina sets the second frame's step.
struct StepCase {
    const char* keys;
    int32_t staminaBefore, staminaAfter, walkSteps, stepBonusAfter, nextStep;
};

class PlayerStep : public PlayerControl, public ::testing::WithParamInterface<StepCase> {};

TEST_P(PlayerStep, DashTirednessAndExhaustion) {
    const StepCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(std::string("1 ") + c.keys + "\n"));
    stamina = c.staminaBefore;
    idleFrames = 5;  // has been standing
    control();
    EXPECT_EQ(stamina, c.staminaAfter) << c.keys << " at " << c.staminaBefore;
    EXPECT_EQ(walkCounter, c.walkSteps) << c.keys << " at " << c.staminaBefore;
    EXPECT_EQ(stepBonus, c.stepBonusAfter) << c.keys << " at " << c.staminaBefore;
    const int32_t before = playerX;
    control();
    EXPECT_EQ(playerX - before, c.nextStep) << c.keys << " at " << c.staminaBefore;
}

INSTANTIATE_TEST_SUITE_P(
    Stamina, PlayerStep,
    ::testing::Values(StepCase{"Right X", 9000, 8997, 2, 2, 4},
                      StepCase{"Right X", 2000, 1997, 2, 2, 4},
                      StepCase{"Right X", 1400, 1397, 2, -1, 1},
                      StepCase{"Right X", 375, 374, 1, -2, 0},
                      StepCase{"Right X", 1202, 1199, 2, -1, 1},
                      StepCase{"Right X", 1201, 1200, 1, -1, 1},
                      StepCase{"Right", 1502, 1501, 1, 0, 2},
                      StepCase{"Right", 1501, 1500, 1, -1, 1},
                      StepCase{"Right", 377, 376, 1, -1, 1},
                      StepCase{"Right", 376, 375, 1, -2, 0},
                      StepCase{"X", 9000, 9000, 0, 0, 0}));

struct RecoveryCase {
    int32_t staminaBefore, frames, staminaAfter;
};

class PlayerRecovery : public PlayerControl, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(PlayerRecovery, StandingStillBringsStaminaBack) {
    const RecoveryCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start("1\n"));
    stamina = c.staminaBefore;
    control(c.frames);
    EXPECT_EQ(idleFrames, c.frames);
    EXPECT_EQ(stamina, c.staminaAfter) << "after " << c.frames << " frames";
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PlayerRecovery,
    ::testing::Values(RecoveryCase{100, 140, 100}, RecoveryCase{100, 149, 100},
                      RecoveryCase{100, 150, 1600}, RecoveryCase{100, 209, 1600},
                      RecoveryCase{100, 210, 3100}, RecoveryCase{100, 280, 4600},
                      RecoveryCase{8000, 150, 9000}));

struct ExhaustionCase {
    int32_t maxHitPoints, frames, hpAfter, exhaustionAfter;
};

class PlayerExhaustion : public PlayerControl,
                         public ::testing::WithParamInterface<ExhaustionCase> {};

TEST_P(PlayerExhaustion, PushingOnEmptyCostsHitPoints) {
    const ExhaustionCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start("1 Right\n"));
    maxHp = hp = c.maxHitPoints;
    stamina = 0;
    control(c.frames);
    EXPECT_EQ(stamina, 0);
    EXPECT_EQ(exhaustion, c.exhaustionAfter) << "after " << c.frames << " frames";
    EXPECT_EQ(hp, c.hpAfter) << "after " << c.frames << " frames";
}

INSTANTIATE_TEST_SUITE_P(Frames, PlayerExhaustion,
                         ::testing::Values(ExhaustionCase{15, 1, 15, 1},
                                           ExhaustionCase{15, 99, 15, 99},
                                           ExhaustionCase{15, 100, 14, 0},
                                           ExhaustionCase{15, 200, 13, 0},
                                           ExhaustionCase{29, 100, 27, 0}));

struct RestCase {
    const char* keys;
    int32_t healBefore, staminaBefore, maxHitPoints, hpBefore, frames;
    int32_t healAfter, staminaAfter, hpAfter;
};

class PlayerRest : public PlayerControl, public ::testing::WithParamInterface<RestCase> {};

TEST_P(PlayerRest, TradesStaminaForHitPoints) {
    const RestCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(std::string("1 ") + c.keys + "\n"));
    healFrames = c.healBefore;
    stamina = c.staminaBefore;
    maxHp = c.maxHitPoints;
    hp = c.hpBefore;
    idleFrames = 5;  // has been standing
    control(c.frames);
    EXPECT_EQ(healFrames, c.healAfter) << c.keys << ", " << c.frames << " frames";
    EXPECT_EQ(stamina, c.staminaAfter) << c.keys << ", " << c.frames << " frames";
    EXPECT_EQ(hp, c.hpAfter) << c.keys << ", " << c.frames << " frames";
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PlayerRest,
    ::testing::Values(RestCase{"Z", 0, 9000, 15, 10, 49, 49, 8755, 10},
                      RestCase{"Z", 0, 9000, 15, 10, 50, 50, 8750, 11},
                      RestCase{"Z", 0, 9000, 15, 10, 100, 100, 8500, 12},
                      RestCase{"Z", 49, 9000, 25, 24, 1, 50, 8995, 25},
                      RestCase{"Z", 49, 9000, 15, 15, 1, 50, 8995, 15},
                      RestCase{"Z", 49, 6, 15, 10, 1, 50, 1, 11},
                      RestCase{"Z", 49, 5, 15, 10, 1, 50, 0, 10},
                      RestCase{"Right Z", 49, 9000, 15, 10, 1, 49, 8999, 10},
                      RestCase{"C Z", 49, 9000, 15, 10, 1, 49, 9000, 10}));

TEST_F(PlayerControl, OnePressOfVTogglesPauseOnce) {
    ASSERT_NO_FATAL_FAILURE(start("1 V\n2 V Right\n3\n4 V\n"));
    control();
    EXPECT_EQ(paused, 1);
    control();
    EXPECT_EQ(paused, 1) << "a held V toggles only once";
    EXPECT_EQ(playerX, -224) << "no walking while paused";
    EXPECT_EQ(stamina, 9000);
    control();
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(swordSounds(), 0);
    control();
    EXPECT_EQ(paused, 0) << "release and press again resumes";
    EXPECT_EQ(swordFrames, 1) << "the resuming frame is the first of an attack";
    EXPECT_EQ(swordSounds(4), 1);
}

TEST_F(PlayerControl, DuringAFadeKeyCStartsNoAttack) {
    ASSERT_NO_FATAL_FAILURE(start("1 C\n"));
    fadingOut = 1;
    control(2);
    EXPECT_EQ(swordFrames, 0);
    EXPECT_EQ(swordSounds(), 0);
}

TEST_F(PlayerControl, DuringAFadeAHeldStickButtonStillSwings) {
    ASSERT_NO_FATAL_FAILURE(start("1 joy=32767,32767,1\n", true));
    ASSERT_EQ(joystickPresent, 1);
    fadingIn = 1;
    joyInfo.buttons = 1;  // already held before the first frame
    control();
    EXPECT_EQ(swordFrames, 1);
    EXPECT_EQ(swordSounds(1), 1);
    control();
    EXPECT_EQ(swordFrames, 2);
    EXPECT_EQ(swordSounds(), 1);
}



// Whole frames, from the start position on the open floor of area 40.
TEST_F(PlayerControl, AStickQueryActsInTheNextFrame) {
    ASSERT_NO_FATAL_FAILURE(start("1 joy=37000,32767,0\n", true));
    runFrame();
    EXPECT_EQ(joyX, 32767);
    EXPECT_EQ(playerX, -224);
    runFrame();
    EXPECT_EQ(joyX, 37000);
    EXPECT_EQ(playerX, -222);
}

TEST_F(PlayerControl, WithAJoystickTheKeyboardStillWorks) {
    ASSERT_NO_FATAL_FAILURE(start("1 Right C\n", true));
    ASSERT_EQ(joystickPresent, 1);
    runFrame();
    EXPECT_EQ(playerX, -222);
    EXPECT_EQ(swordFrames, 1);
    EXPECT_EQ(swordSounds(1), 1);
}

TEST_F(PlayerControl, AnUnpluggedJoystickLetsThePlayerStop) {
    ASSERT_NO_FATAL_FAILURE(start("1\n"));
    joystickPresent = 1;  // found at start-up, pulled out since
    joyInfo.x = 40000;    // as the last answer left the stick: right, button 1
    joyInfo.y = 32767;
    joyInfo.buttons = 1;
    runFrame();
    EXPECT_EQ(playerX, -222);
    EXPECT_EQ(joyInfo.x, 32767u);
    EXPECT_EQ(joyInfo.y, 32767u);
    EXPECT_EQ(joyInfo.buttons, 0u);
    runFrame();
    EXPECT_EQ(playerX, -222);
    EXPECT_EQ(swordFrames, 0);
}

struct SkipCase {
    const char* what;
    int32_t quake, alive;
    int32_t swordAfter, chargeAfter, dx;
};

class PlayerSkipped : public PlayerControl, public ::testing::WithParamInterface<SkipCase> {};

TEST_P(PlayerSkipped, NoControlMeansNoBlow) {
    const SkipCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start("1 Right C\n"));
    quakeFrames = c.quake;
    playing = c.alive;
    swordFrames = 5;
    chargeFrames = 4;
    runFrame();
    EXPECT_EQ(swordFrames, c.swordAfter) << c.what;
    EXPECT_EQ(chargeFrames, c.chargeAfter) << c.what;
    EXPECT_EQ(playerX, -224 + c.dx) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Frames, PlayerSkipped,
                         ::testing::Values(SkipCase{"last quake frame", 1, 1, 0, 0, 0},
                                           SkipCase{"after death", 0, 0, 0, 0, 0},
                                           SkipCase{"in control", 0, 1, 6, 5, 2}));

// Half off the left edge, the sprite is drawn from column 12 of its cell.
TEST_F(PlayerControl, ASpriteCutAtTheLeftEdgeStartsAtScreenXZero) {
    ASSERT_NO_FATAL_FAILURE(start(""));
    playerOffsetX = -300;
    facing = 1;
    drawPlayer();
    EXPECT_EQ(playerScreenX, 0);
    EXPECT_EQ(playerScreenY, 208);
}

}  // namespace
