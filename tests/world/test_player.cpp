// The player's controls, stamina and sprite.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"
#include "world/expected_screen.h"
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
    // Holds these keys from the first frame on, after standing for a while.
    void startHolding(const std::string& keys) {
        start("1 " + keys + "\n");
        idleFrames = 5;
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
        return int(std::count_if(backend->events().begin(), backend->events().end(), [&](const RecordedEvent& e) {
            return e.kind == RecordedKind::Sound && e.effect == int(SoundEffect::Sword) &&
                   (frame == 0 || e.frame == frame);
        }));
    }
    HeadlessBackend* backend = nullptr;
};

// From standing still, or after a frame of walking: a diagonal entered
// from a walk keeps the walk's facing.
TEST_F(PlayerControl, WalksAndFaces) {
    const struct {
        const char* keys;
        char walked;  // the direction moved in the frame before, if any
        int32_t facingBefore, dx, dy, facingAfter, staminaCost, walkSteps, idleAfter;
    } cases[] = {{"Up", 0, 1, 0, -2, 0, 1, 1, 1},            {"Down", 0, 1, 0, 2, 2, 1, 1, 1},
                 {"Left", 0, 1, -2, 0, 3, 1, 1, 1},          {"Right", 0, 3, 2, 0, 1, 1, 1, 1},
                 {"Up Right", 0, 1, 2, -2, 0, 2, 1, 1},      {"Up Left", 0, 3, -2, -2, 0, 2, 1, 1},
                 {"Down Right", 0, 1, 2, 2, 2, 2, 1, 1},     {"Down Left", 0, 3, -2, 2, 2, 2, 1, 1},
                 {"Up Down", 0, 1, 0, 0, 2, 2, 1, 1},        {"Left Right", 0, 0, 0, 0, 1, 2, 1, 1},
                 {"X", 0, 2, 0, 0, 2, 0, 0, 6},              {"", 0, 3, 0, 0, 3, 0, 0, 6},
                 {"Up Right", 'R', 1, 2, -2, 1, 2, 1, 1},    {"Down Right", 'R', 1, 2, 2, 1, 2, 1, 1},
                 {"Up Left", 'L', 3, -2, -2, 3, 2, 1, 1},    {"Down Left", 'L', 3, -2, 2, 3, 2, 1, 1},
                 {"Up Right", 'L', 3, 2, -2, 3, 2, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " after " + (c.walked ? std::string(1, c.walked) : "standing"));
        ASSERT_NO_FATAL_FAILURE(startHolding(c.keys));
        std::tie(facing, movingLeft, movingRight) = std::tuple(c.facingBefore, c.walked == 'L', c.walked == 'R');
        control();
        EXPECT_EQ(std::tuple(playerX, playerY, facing, stamina, walkCounter, idleFrames),
                  std::tuple(-224 + c.dx, 814 + c.dy, c.facingAfter, 9000 - c.staminaCost, c.walkSteps, c.idleAfter));
    }
}

// The first frame's stamina sets the second frame's step.
TEST_F(PlayerControl, DashTirednessAndExhaustionSetTheNextStep) {
    const struct {
        const char* keys;
        int32_t staminaBefore, staminaAfter, walkSteps, stepBonusAfter, nextStep;
    } cases[] = {{"Right X", 9000, 8997, 2, 2, 4}, {"Right X", 1400, 1397, 2, -1, 1}, {"Right X", 375, 374, 1, -2, 0},
                 {"Right X", 1202, 1199, 2, -1, 1}, {"Right X", 1201, 1200, 1, -1, 1}, {"Right", 1502, 1501, 1, 0, 2},
                 {"Right", 1501, 1500, 1, -1, 1},  {"Right", 377, 376, 1, -1, 1},     {"Right", 376, 375, 1, -2, 0},
                 {"X", 9000, 9000, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " at " + std::to_string(c.staminaBefore));
        ASSERT_NO_FATAL_FAILURE(startHolding(c.keys));
        stamina = c.staminaBefore;
        control();
        EXPECT_EQ(std::tuple(stamina, walkCounter, stepBonus),
                  std::tuple(c.staminaAfter, c.walkSteps, c.stepBonusAfter));
        const int32_t before = playerX;
        control();
        EXPECT_EQ(playerX - before, c.nextStep);
    }
}

// Joystick positions from standing still with full stamina: what walks,
// what dashes, on each axis. 16384 and 49152 are the d-pad's walking reach.
TEST_F(PlayerControl, JoystickPositionsWalkOrDash) {
    const struct {
        const char* name;
        uint32_t x, y;
        int32_t dx, dy, staminaCost, stepBonusAfter;
    } cases[] = {{"DpadDiagonal", 49152, 16384, 2, -2, 2, 0},   {"Centre", 32768, 32768, 0, 0, 0, 0},
                 {"WalkLeftEdge", 27000, 32768, -2, 0, 1, 0},   {"NoWalkLeft", 27001, 32768, 0, 0, 0, 0},
                 {"WalkRightEdge", 37000, 32768, 2, 0, 1, 0},   {"NoWalkRight", 36999, 32768, 0, 0, 0, 0},
                 {"WalkUpEdge", 32768, 27000, 0, -2, 1, 0},     {"NoWalkUp", 32768, 27001, 0, 0, 0, 0},
                 {"WalkDownEdge", 32768, 37000, 0, 2, 1, 0},    {"NoWalkDown", 32768, 36999, 0, 0, 0, 0},
                 {"DashLeftEdge", 4000, 32768, -2, 0, 3, 2},    {"WalkLeftNearDash", 4001, 32768, -2, 0, 1, 0},
                 {"DashRightEdge", 60000, 32768, 2, 0, 3, 2},   {"WalkRightNearDash", 59999, 32768, 2, 0, 1, 0},
                 {"DashUpEdge", 32768, 4000, 0, -2, 3, 2},      {"WalkUpNearDash", 32768, 4001, 0, -2, 1, 0},
                 {"DashDownEdge", 32768, 60000, 0, 2, 3, 2},    {"WalkDownNearDash", 32768, 59999, 0, 2, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(start("1 joy=" + std::to_string(c.x) + "," + std::to_string(c.y) + ",0\n", true));
        ASSERT_EQ(joystickPresent, 1);
        idleFrames = 5;
        std::tie(joyInfo.x, joyInfo.y, joyInfo.buttons) = std::tuple(c.x, c.y, 0u);
        control();
        EXPECT_EQ(std::tuple(playerX, playerY, stamina, stepBonus),
                  std::tuple(-224 + c.dx, 814 + c.dy, 9000 - c.staminaCost, c.stepBonusAfter));
    }
}

TEST_F(PlayerControl, StandingStillBringsStaminaBack) {
    const struct { int32_t staminaBefore, frames, staminaAfter; } cases[] = {
        {100, 149, 100}, {100, 150, 1600}, {100, 209, 1600}, {100, 210, 3100}, {100, 280, 4600}, {8000, 150, 9000}};
    for (const auto& c : cases) {
        SCOPED_TRACE("after " + std::to_string(c.frames) + " frames");
        ASSERT_NO_FATAL_FAILURE(start("1\n"));
        stamina = c.staminaBefore;
        control(c.frames);
        EXPECT_EQ(std::tuple(idleFrames, stamina), std::tuple(c.frames, c.staminaAfter));
    }
}

TEST_F(PlayerControl, PushingOnEmptyCostsHitPoints) {
    const struct { int32_t maxHitPoints, frames, hpAfter, exhaustionAfter; } cases[] = {
        {15, 99, 15, 99}, {15, 100, 14, 0}, {15, 200, 13, 0}, {29, 100, 27, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE("after " + std::to_string(c.frames) + " frames");
        ASSERT_NO_FATAL_FAILURE(start("1 Right\n"));
        std::tie(maxHp, hp, stamina) = std::tuple(c.maxHitPoints, c.maxHitPoints, 0);
        control(c.frames);
        EXPECT_EQ(std::tuple(stamina, exhaustion, hp), std::tuple(0, c.exhaustionAfter, c.hpAfter));
    }
}

TEST_F(PlayerControl, RestTradesStaminaForHitPoints) {
    const struct {
        const char* keys;
        int32_t healBefore, staminaBefore, maxHitPoints, hpBefore, frames;
        int32_t healAfter, staminaAfter, hpAfter;
    } cases[] = {{"Z", 0, 9000, 15, 10, 49, 49, 8755, 10},     {"Z", 0, 9000, 15, 10, 50, 50, 8750, 11},
                 {"Z", 0, 9000, 15, 10, 100, 100, 8500, 12},   {"Z", 49, 9000, 25, 24, 1, 50, 8995, 25},
                 {"Z", 49, 6, 15, 10, 1, 50, 1, 11},           {"Z", 49, 5, 15, 10, 1, 50, 0, 10},
                 {"Right Z", 49, 9000, 15, 10, 1, 49, 8999, 10}, {"C Z", 49, 9000, 15, 10, 1, 49, 9000, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + ", " + std::to_string(c.frames) + " frames");
        ASSERT_NO_FATAL_FAILURE(startHolding(c.keys));
        std::tie(healFrames, stamina, maxHp, hp) = std::tie(c.healBefore, c.staminaBefore, c.maxHitPoints, c.hpBefore);
        control(c.frames);
        EXPECT_EQ(std::tuple(healFrames, stamina, hp), std::tuple(c.healAfter, c.staminaAfter, c.hpAfter));
    }
}

TEST_F(PlayerControl, OnePressOfVTogglesPauseOnce) {
    ASSERT_NO_FATAL_FAILURE(start("1 V\n2 V Right\n3\n4 V\n"));
    control();
    EXPECT_EQ(paused, 1);
    control();
    EXPECT_EQ(std::tuple(paused, playerX, stamina), std::tuple(1, -224, 9000)) << "held: no toggle, no walking";
    control();
    EXPECT_EQ(std::tuple(paused, swordSounds()), std::tuple(1, 0));
    control();
    // Release and press again resumes, in the first frame of an attack.
    EXPECT_EQ(std::tuple(paused, swordFrames, swordSounds(4)), std::tuple(0, 1, 1));
}

TEST_F(PlayerControl, DuringAFadeKeyCStartsNoAttackButAHeldStickButtonSwings) {
    ASSERT_NO_FATAL_FAILURE(start("1 C\n"));
    fadingOut = 1;
    control(2);
    EXPECT_EQ(std::tuple(swordFrames, swordSounds()), std::tuple(0, 0));

    ASSERT_NO_FATAL_FAILURE(start("1 joy=32767,32767,1\n", true));
    ASSERT_EQ(joystickPresent, 1);
    fadingIn = 1;
    joyInfo.buttons = 1;  // already held before the first frame
    control();
    EXPECT_EQ(std::tuple(swordFrames, swordSounds(1)), std::tuple(1, 1));
    control();
    EXPECT_EQ(std::tuple(swordFrames, swordSounds()), std::tuple(2, 1));
}

// Whole frames, from the start position on the open floor of area 40.
TEST_F(PlayerControl, WithAJoystickKeysWorkAndAStickQueryActsInTheNextFrame) {
    ASSERT_NO_FATAL_FAILURE(start("1 Down C joy=37000,32767,0\n", true));
    runFrame();
    EXPECT_EQ(std::tuple(joyX, playerX, playerY, swordFrames, swordSounds(1)), std::tuple(32767, -224, 816, 1, 1));
    runFrame();
    EXPECT_EQ(std::tuple(joyX, playerX, playerY), std::tuple(37000, -222, 818));
}

TEST_F(PlayerControl, AnUnpluggedJoystickLetsThePlayerStop) {
    ASSERT_NO_FATAL_FAILURE(start("1\n"));
    joystickPresent = 1;  // found at start-up, pulled out since
    std::tie(joyInfo.x, joyInfo.y, joyInfo.buttons) = std::tuple(40000u, 32767u, 1u);  // right, button 1
    runFrame();
    EXPECT_EQ(std::tuple(playerX, joyInfo.x, joyInfo.y, joyInfo.buttons), std::tuple(-222, 32767u, 32767u, 0u));
    runFrame();
    EXPECT_EQ(std::tuple(playerX, swordFrames), std::tuple(-222, 0));
}

TEST_F(PlayerControl, NoControlMeansNoBlow) {
    const struct { const char* what; int32_t quake, alive, swordAfter, chargeAfter, dx; } cases[] = {
        {"last quake frame", 1, 1, 0, 0, 0}, {"after death", 0, 0, 0, 0, 0}, {"in control", 0, 1, 6, 5, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(start("1 Right C\n"));
        std::tie(quakeFrames, playing, swordFrames, chargeFrames) = std::tuple(c.quake, c.alive, 5, 4);
        runFrame();
        EXPECT_EQ(std::tuple(swordFrames, chargeFrames, playerX), std::tuple(c.swordAfter, c.chargeAfter, -224 + c.dx));
    }
}

// Facing down at screen (288, 208), the sprite comes from (128, 0) or
// (128, 64) by the walking phase; the gauge stands at x 342: its frame
// from (257, 0), 8 × 42, and chargeFrames ÷ 4 rows of filling from
// (257, 67) that end at y 249. `fill` -1: no gauge.
TEST_F(PlayerControl, DrawsTheSpriteAndTheGaugeOnlyWhenDue) {
    const struct {
        const char* what;
        int32_t sceneNow, hitTimer, fall, fadeOut, fadeIn, charge, staminaNow, area, walk, offsetX, screenX;
        bool shown;
        int32_t sourceY, fill, hitTimerAfter;
    } cases[] = {{"charge 14: no gauge yet", 1, 0, 0, 0, 0, 14, 9000, 40, 0, 0, 288, true, 64, -1, 0},
                 {"charge 15: three rows", 1, 0, 0, 0, 0, 15, 9000, 40, 0, 0, 288, true, 64, 3, 0},
                 {"charge 160: forty rows", 1, 0, 0, 0, 0, 160, 9000, 40, 0, 0, 288, true, 64, 40, 0},
                 {"stamina a sixth: no gauge", 1, 0, 0, 0, 0, 160, 1500, 40, 0, 0, 288, true, 64, -1, 0},
                 {"stamina above a sixth", 1, 0, 0, 0, 0, 160, 1501, 40, 0, 0, 288, true, 64, 40, 0},
                 {"boss area: no gauge", 1, 0, 0, 0, 0, 160, 9000, 1, 0, 0, 288, true, 64, -1, 0},
                 {"hit timer odd: hidden", 1, 3, 0, 0, 0, 160, 9000, 40, 0, 0, 288, false, 0, -1, 2},
                 {"hit timer even: shown", 1, 2, 0, 0, 0, 160, 9000, 40, 0, 0, 288, true, 64, 40, 1},
                 {"falling: hidden", 1, 0, 1, 0, 0, 160, 9000, 40, 0, 0, 288, false, 0, -1, 0},
                 {"fading out: hidden", 1, 0, 0, 1, 0, 160, 9000, 40, 0, 0, 288, false, 0, -1, 0},
                 {"fading in: shown", 1, 0, 0, 0, 1, 160, 9000, 40, 0, 0, 288, true, 64, 40, 0},
                 {"the opening: hidden", 0, 0, 0, 0, 0, 160, 9000, 40, 0, 0, 288, false, 0, -1, 0},
                 {"the ending: shown", 2, 0, 0, 0, 0, 14, 9000, 40, 0, 0, 288, true, 64, -1, 0},
                 {"walk 19: phase 1", 1, 0, 0, 0, 0, 0, 9000, 40, 19, 0, 288, true, 64, -1, 0},
                 {"walk 20: phase 0", 1, 0, 0, 0, 0, 0, 9000, 40, 20, 0, 288, true, 0, -1, 0},
                 {"walk 59: phase 1 again", 1, 0, 0, 0, 0, 0, 9000, 40, 59, 0, 288, true, 64, -1, 0},
                 {"half off the left edge: from column 12", 1, 0, 0, 0, 0, 0, 9000, 40, 0, -300, 0, true, 64, -1, 0}};
    ASSERT_NO_FATAL_FAILURE(start(""));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::tie(scene, playerHitTimer, fallFrames, fadingOut, fadingIn) =
            std::tie(c.sceneNow, c.hitTimer, c.fall, c.fadeOut, c.fadeIn);
        std::tie(chargeFrames, stamina, maxStamina, areaId, walkCounter) =
            std::tuple(c.charge, c.staminaNow, 9000, c.area, c.walk);
        std::tie(facing, playerOffsetX, playerOffsetY) = std::tuple(2, c.offsetX, 0);
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 251);  // index 0 would show
        drawPlayer();
        EXPECT_EQ(std::tuple(playerScreenX, playerScreenY), std::tuple(c.screenX, 208));
        ExpectedScreen expected(251);
        const int cut = c.screenX - 288 - c.offsetX;  // columns lost at the left edge
        if (c.shown) expected.copy(*characterSheet, 128 + cut, c.sourceY, 64 - cut, 64, c.screenX, 208);
        if (c.fill >= 0) {
            EXPECT_GT(expected.copy(*characterSheet, 257, 0, 8, 42, 342, 208), 0) << "the gauge needs visible pixels";
            EXPECT_GT(expected.copy(*characterSheet, 257, 67, 8, c.fill, 342, 249 - c.fill), 0);
        }
        EXPECT_EQ(expected.difference(), "");
        EXPECT_EQ(playerHitTimer, c.hitTimerAfter);
    }
}

}  // namespace
