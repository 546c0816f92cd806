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

struct DiagonalCase {
    const char* first;
    const char* second;
    int32_t facingAfter, dx, dy;
};

class PlayerDiagonal : public PlayerControl, public ::testing::WithParamInterface<DiagonalCase> {};

TEST_P(PlayerDiagonal, KeepsTheFacingItWasEnteredWith) {
    const DiagonalCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(std::string("1 ") + c.first + "\n2 " + c.second + "\n"));
    control(2);
    EXPECT_EQ(facing, c.facingAfter) << c.first << " then " << c.second;
    EXPECT_EQ(playerX, -224 + c.dx);
    EXPECT_EQ(playerY, 814 + c.dy);
    EXPECT_EQ(walkCounter, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, PlayerDiagonal,
    ::testing::Values(DiagonalCase{"Right", "Up Right", 1, 4, -2},
                      DiagonalCase{"Left", "Down Left", 3, -4, 2},
                      DiagonalCase{"Up", "Up Right", 0, 2, -4},
                      DiagonalCase{"Down", "Down Left", 2, -2, 4},
                      DiagonalCase{"Up Right", "Up Right", 0, 4, -4}));

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

struct StickCase {
    uint32_t x, y;
    int32_t dx, dy, stepBonusAfter;
};

class PlayerStick : public PlayerControl, public ::testing::WithParamInterface<StickCase> {};

TEST_P(PlayerStick, AxisBounds) {
    const StickCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(start("", true));
    joyInfo.x = c.x;
    joyInfo.y = c.y;
    joyInfo.buttons = 0;
    control();
    EXPECT_EQ(playerX, -224 + c.dx) << "stick at " << c.x << ", " << c.y;
    EXPECT_EQ(playerY, 814 + c.dy) << "stick at " << c.x << ", " << c.y;
    EXPECT_EQ(stepBonus, c.stepBonusAfter) << "stick at " << c.x << ", " << c.y;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, PlayerStick,
    ::testing::Values(StickCase{32767, 32767, 0, 0, 0}, StickCase{32767, 27000, 0, -2, 0},
                      StickCase{32767, 27001, 0, 0, 0}, StickCase{32767, 37000, 0, 2, 0},
                      StickCase{32767, 36999, 0, 0, 0}, StickCase{27000, 32767, -2, 0, 0},
                      StickCase{27001, 32767, 0, 0, 0}, StickCase{37000, 32767, 2, 0, 0},
                      StickCase{36999, 32767, 0, 0, 0}, StickCase{60000, 32767, 2, 0, 2},
                      StickCase{59999, 32767, 2, 0, 0}, StickCase{4000, 32767, -2, 0, 2},
                      StickCase{4001, 32767, -2, 0, 0}, StickCase{32767, 60000, 0, 2, 2},
                      StickCase{32767, 59999, 0, 2, 0}, StickCase{32767, 4000, 0, -2, 2},
                      StickCase{32767, 4001, 0, -2, 0}));

TEST_F(PlayerControl, WithoutAJoystickTheEmptyStickRecordMeansNothing) {
    ASSERT_NO_FATAL_FAILURE(start("1\n"));
    ASSERT_EQ(joystickPresent, 0);
    joyInfo.x = 0;
    joyInfo.y = 0;
    control();
    EXPECT_EQ(playerX, -224);
    EXPECT_EQ(playerY, 814);
    EXPECT_EQ(stepBonus, 0);
    EXPECT_EQ(stamina, 9000);
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

// The sprite, drawn from a sheet whose every pixel tells where it came from.
class PlayerDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        auto sheet = std::make_unique<SpriteSheet>();
        sheet->width = 320;
        sheet->height = 128;
        sheet->pixels.resize(320 * 128);
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 320; ++x) {
                sheet->pixels[y * 320 + x] = uint8_t((x * 3 + y * 7) % 251 + 1);
            }
        }
        savedSheet = std::move(characterSheet);
        characterSheet = std::move(sheet);
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 0);
        scene = 1;
        maxStamina = stamina = 9000;
    }
    void TearDown() override { characterSheet = std::move(savedSheet); }
    int sheetAt(int x, int y) const { return characterSheet->pixels[y * 320 + x]; }
    int screenAt(int x, int y) const { return backBuffer->pixels[y * screenWidth + x]; }
    int drawnPixels() const {
        return int(std::count_if(backBuffer->pixels.begin(), backBuffer->pixels.end(),
                                 [](uint8_t p) { return p != 0; }));
    }
    // The w × h block of the screen at (x, y) shows the sheet's block at (sx, sy).
    int blockMismatches(int sx, int sy, int w, int h, int x, int y) const {
        int wrong = 0;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) wrong += screenAt(x + i, y + j) != sheetAt(sx + i, sy + j);
        }
        return wrong;
    }
    std::unique_ptr<SpriteSheet> savedSheet;
};

struct FrameCase {
    int32_t facing, walkCounterBefore, walkCounterAfter, walkPhase;
};

class PlayerSpriteFrame : public PlayerDrawing, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(PlayerSpriteFrame, ColumnByFacingRowByWalkPhase) {
    const FrameCase& c = GetParam();
    facing = c.facing;
    walkCounter = c.walkCounterBefore;
    drawPlayer();
    EXPECT_EQ(walkCounter, c.walkCounterAfter);
    EXPECT_EQ(walkPhase, c.walkPhase);
    EXPECT_EQ(playerScreenX, 288);
    EXPECT_EQ(playerScreenY, 208);
    EXPECT_EQ(blockMismatches(64 * c.facing, 64 * c.walkPhase, 64, 64, 288, 208), 0);
    EXPECT_EQ(drawnPixels(), 64 * 64);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, PlayerSpriteFrame,
    ::testing::Values(FrameCase{0, 0, 0, 1}, FrameCase{1, 19, 19, 1}, FrameCase{2, 20, 20, 0},
                      FrameCase{3, 39, 39, 0}, FrameCase{0, 40, 0, 1}, FrameCase{1, 59, 19, 1},
                      FrameCase{2, 60, 20, 0}));

struct ClipCase {
    int32_t offsetX, offsetY;
    int32_t sourceLeft, sourceTop, width, height, screenX, screenY;
};

class PlayerClipping : public PlayerDrawing, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(PlayerClipping, ShrinksTheSourceAtTheScreenEdges) {
    const ClipCase& c = GetParam();
    facing = 1;  // cell (64, 64) with walkCounter 0
    playerOffsetX = c.offsetX;
    playerOffsetY = c.offsetY;
    drawPlayer();
    EXPECT_EQ(playerScreenX, c.screenX);
    EXPECT_EQ(playerScreenY, c.screenY);
    EXPECT_EQ(
        blockMismatches(c.sourceLeft, c.sourceTop, c.width, c.height, c.screenX, c.screenY), 0);
    EXPECT_EQ(drawnPixels(), c.width * c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, PlayerClipping,
    ::testing::Values(ClipCase{-300, 0, 76, 64, 52, 64, 0, 208},
                      ClipCase{-288, 0, 64, 64, 64, 64, 0, 208},
                      ClipCase{288, 0, 64, 64, 64, 64, 576, 208},
                      ClipCase{300, 0, 64, 64, 52, 64, 588, 208},
                      ClipCase{0, -220, 64, 76, 64, 52, 288, 0},
                      ClipCase{0, 260, 64, 64, 64, 12, 288, 468},
                      ClipCase{-300, -220, 76, 76, 52, 52, 0, 0}));

struct VisibilityCase {
    const char* what;
    int32_t hitTimer, fadeOut, fadeIn, fall, sceneNow;
    bool drawn;
    int32_t hitTimerAfter;
};

class PlayerVisibility : public PlayerDrawing,
                         public ::testing::WithParamInterface<VisibilityCase> {};

TEST_P(PlayerVisibility, BlinksAndHides) {
    const VisibilityCase& c = GetParam();
    playerHitTimer = c.hitTimer;
    fadingOut = c.fadeOut;
    fadingIn = c.fadeIn;
    fallFrames = c.fall;
    scene = c.sceneNow;
    drawPlayer();
    EXPECT_EQ(drawnPixels() > 0, c.drawn) << c.what;
    EXPECT_EQ(playerHitTimer, c.hitTimerAfter) << c.what;
    EXPECT_EQ(playerScreenX, 288) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayerVisibility,
    ::testing::Values(VisibilityCase{"plain", 0, 0, 0, 0, 1, true, 0},
                      VisibilityCase{"odd hit timer", 1, 0, 0, 0, 1, false, 0},
                      VisibilityCase{"even hit timer", 2, 0, 0, 0, 1, true, 1},
                      VisibilityCase{"odd hit timer", 3, 0, 0, 0, 1, false, 2},
                      VisibilityCase{"fade-out", 0, 1, 0, 0, 1, false, 0},
                      VisibilityCase{"fade-in", 0, 0, 1, 0, 1, true, 0},
                      VisibilityCase{"pit fall", 0, 0, 0, 1, 1, false, 0},
                      VisibilityCase{"opening", 2, 0, 0, 0, 0, false, 1},
                      VisibilityCase{"ending", 0, 0, 0, 0, 2, true, 0}));

struct GaugeCase {
    int32_t charge, staminaNow, area;
    bool shown;
    int32_t filled;
};

class PlayerGauge : public PlayerDrawing, public ::testing::WithParamInterface<GaugeCase> {};

TEST_P(PlayerGauge, FillsUpwardBesideThePlayer) {
    const GaugeCase& c = GetParam();
    facing = 1;
    chargeFrames = c.charge;
    stamina = c.staminaNow;
    areaId = c.area;
    drawPlayer();
    const std::string what = "charge " + std::to_string(c.charge) + ", stamina " +
                             std::to_string(c.staminaNow) + ", area " + std::to_string(c.area);
    if (!c.shown) {
        EXPECT_EQ(drawnPixels(), 64 * 64) << what;
        EXPECT_EQ(blockMismatches(64, 64, 64, 64, 288, 208), 0) << what;
        return;
    }
    // The gauge stands on the sprite's columns 54..61, rows 0..41.
    EXPECT_EQ(drawnPixels(), 64 * 64) << what;
    EXPECT_EQ(blockMismatches(64, 64, 54, 64, 288, 208), 0) << what;
    EXPECT_EQ(blockMismatches(257, 0, 8, 42 - c.filled - 1, 342, 208), 0) << what;
    EXPECT_EQ(blockMismatches(257, 67, 8, c.filled, 342, 249 - c.filled), 0) << what;
    EXPECT_EQ(blockMismatches(257, 41, 8, 1, 342, 249), 0) << what << ": the frame's bottom row";
    EXPECT_EQ(blockMismatches(118, 106, 8, 22, 342, 250), 0) << what << ": sprite below the gauge";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayerGauge,
    ::testing::Values(GaugeCase{14, 9000, 40, false, 0}, GaugeCase{15, 9000, 40, true, 3},
                      GaugeCase{160, 9000, 40, true, 40}, GaugeCase{100, 1501, 30, true, 25},
                      GaugeCase{100, 1500, 30, false, 0}, GaugeCase{100, 9000, 1, false, 0}));

}  // namespace
