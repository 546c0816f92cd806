// The boss of area 1: its strengths, its runs and charges, its touch, its
// picture, and its two volleys of swaying homing shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "enemies/boss.h"
#include "support/headless_game.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

class Boss : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);  // sheets, sounds, the starting statistics
        areaId = 1;
        scene = 1;
        playSeconds = 0;
        roll1000 = 500;  // starts no attack
        clearBackBuffer();
    }
    static int drawnPixels() {
        return int(std::count_if(backBuffer->pixels.begin(), backBuffer->pixels.end(),
                                 [](uint8_t p) { return p != 0; }));
    }
    // Every coloured pixel of the rectangle stands at (x, y) onward, and nothing else was drawn.
    static void expectPicture(const SpriteSheet& sheet, const Rect& r, int x, int y) {
        int coloured = 0;
        for (int sy = r.top; sy < r.bottom; ++sy) {
            for (int sx = r.left; sx < r.right; ++sx) {
                const uint8_t p = sheet.pixels[sy * sheet.width + sx];
                if (p == 0) continue;
                ++coloured;
                ASSERT_EQ(backBuffer->pixels[(y + sy - r.top) * screenWidth + x + sx - r.left], p)
                    << "sheet pixel " << sx << "," << sy;
            }
        }
        EXPECT_GT(coloured, 0);
        EXPECT_EQ(drawnPixels(), coloured);
    }
    int magicSounds() const {
        return int(std::count_if(backend->events().begin(), backend->events().end(), [](const RecordedEvent& e) {
            return e.kind == RecordedKind::Sound && e.effect == static_cast<int>(SoundEffect::Magic);
        }));
    }
    static void placeShot(int i, int kind, int x, int y, int life, int phase = 179) {
        bossShots[i] = BossShot{kind, 0, 0, x, y, life};
        shotPhase[i] = phase;  // 179 steps to 0: no sway
    }
    HeadlessBackend* backend = nullptr;
};


// ---- strengths ----

struct StatsCase { int maxHp, hp, level, attack, difficulty, seconds, charge, shotA, shotB, touch, speed; };
class BossStats : public Boss, public ::testing::WithParamInterface<StatsCase> {};

TEST_P(BossStats, FollowThePlayerAndThePlayTime) {
    const StatsCase& c = GetParam();
    maxHp = c.maxHp; hp = c.hp; level = c.level; attack = c.attack; difficulty = c.difficulty;
    playSeconds = c.seconds;
    updateBossStats();
    EXPECT_EQ((std::array{bossChargeDamage, shotDamageA, shotDamageB, bossTouchDamage, bossSpeed}),
              (std::array{c.charge, c.shotA, c.shotB, c.touch, c.speed}));
}

INSTANTIATE_TEST_SUITE_P(Table, BossStats, ::testing::Values(
    StatsCase{15, 15, 1, 1, 0, 0, 1, 3, 32, 3, 5},
    StatsCase{109, 3, 8, 7, 2, 9999, 10, 0, 46, 7, 38},   // hardest: touch = attack
    StatsCase{40, 39, 5, 5, 1, 299, 4, 9, 40, 7, 5},
    StatsCase{9, 4, 2, 4, 0, 300, 0, 1, 34, 12, 6}));

TEST_F(Boss, SineTableKeepsItsOwnPi) {
    EXPECT_EQ(sineTable[0], 0.0);
    EXPECT_EQ(sineTable[1], 1143.0);
    EXPECT_EQ(sineTable[30], 32767.0);
    EXPECT_EQ(sineTable[90], 65535.0);
    EXPECT_EQ(sineTable[150], 32768.0) << "each entry from the formula, not a mirror of 30";
    EXPECT_EQ(sineTable[180], 0.0);
}

// ---- moving ----

// Starting at (x0, y0) with the given runs, volleys and charge, one move.
struct MoveCase {
    const char* what;
    int roll, seconds, x0, y0, runX, runY, volleyA, volleyB, charge;
    int x, y, endRunX, endRunY, endCharge;
};
class BossMove : public Boss, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(BossMove, RunsChargesAndStaysInTheArena) {
    const MoveCase& c = GetParam();
    bossX = c.x0; bossY = c.y0;
    playerScreenX = 288; playerScreenY = 208;  // far from the boss drawn at 0, 0
    roll1000 = c.roll; playSeconds = c.seconds;
    bossRunX = c.runX; bossRunY = c.runY;
    bossVolleyA = c.volleyA; bossVolleyB = c.volleyB; bossCharge = c.charge;
    updateBossStats();
    moveBoss();
    EXPECT_EQ(bossPrevX, c.x0) << c.what;
    EXPECT_EQ((std::array{bossX, bossY, bossRunX, bossRunY, bossCharge}),
              (std::array{c.x, c.y, c.endRunX, c.endRunY, c.endCharge})) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, BossMove, ::testing::Values(
    MoveCase{"roll 100: right", 100, 0, 300, 300, 0, 0, 0, 0, 0, 305, 300, 49, 0, 0},
    MoveCase{"roll 401: left", 401, 0, 300, 300, 0, 0, 0, 0, 0, 295, 300, -49, 0, 0},
    MoveCase{"roll 2: down", 2, 0, 300, 300, 0, 0, 0, 0, 0, 300, 305, 0, 49, 0},
    MoveCase{"roll 999: up", 999, 0, 300, 300, 0, 0, 0, 0, 0, 300, 295, 0, -49, 0},
    MoveCase{"a run under way is kept", 0, 0, 300, 300, -10, 0, 0, 0, 0, 295, 300, -9, 0, 0},
    MoveCase{"both axes in one frame", 3, 0, 300, 300, 10, 0, 0, 0, 0, 305, 295, 9, -49, 0},
    MoveCase{"late in the game", 100, 9999, 300, 300, 0, 0, 0, 0, 0, 338, 300, 49, 0, 0},
    MoveCase{"volley A holds it", 0, 0, 300, 300, 0, 0, 5, 0, 0, 300, 300, 50, 0, 0},
    MoveCase{"volley B holds it", 2, 0, 300, 300, 0, 0, 0, 5, 0, 300, 300, 0, 50, 0},
    MoveCase{"charge down", 0, 0, 300, 300, 0, 0, 0, 0, 28, 300, 315, 50, 0, 27},
    MoveCase{"charge up", 0, 0, 300, 300, 0, 0, 0, 0, -28, 300, 285, 50, 0, -27},
    MoveCase{"charge at 299 s", 0, 299, 300, 300, 0, 0, 0, 0, 1, 300, 315, 50, 0, 0},
    MoveCase{"charge at 300 s", 0, 300, 300, 300, 0, 0, 0, 0, 1, 300, 316, 50, 0, 0},
    MoveCase{"charge down late", 0, 9999, 300, 300, 0, 0, 0, 0, 5, 300, 348, 50, 0, 4},
    MoveCase{"charge up late", 0, 9999, 300, 300, 0, 0, 0, 0, -5, 300, 252, 50, 0, -4},
    MoveCase{"onto the left limit", 0, 0, 45, 300, -1, 0, 0, 0, 0, 40, 300, 0, 0, 0},
    MoveCase{"short of the left limit", 0, 0, 46, 300, -1, 0, 0, 0, 0, 41, 300, 0, 0, 0},
    MoveCase{"past the left limit", 0, 0, 44, 300, -1, 0, 0, 0, 0, 40, 300, 0, 0, 0},
    MoveCase{"onto the right limit", 0, 0, 581, 300, 1, 0, 0, 0, 0, 586, 300, 0, 0, 0},
    MoveCase{"short of the right limit", 0, 0, 580, 300, 1, 0, 0, 0, 0, 585, 300, 0, 0, 0},
    MoveCase{"past the right limit", 0, 0, 583, 300, 1, 0, 0, 0, 0, 586, 300, 0, 0, 0},
    MoveCase{"onto the top limit", 2, 0, 300, 50, 0, -1, 0, 0, 0, 300, 45, 0, 0, 0},
    MoveCase{"short of the top limit", 2, 0, 300, 51, 0, -1, 0, 0, 0, 300, 46, 0, 0, 0},
    MoveCase{"onto the bottom limit", 2, 0, 300, 571, 0, 1, 0, 0, 0, 300, 576, 0, 0, 0},
    MoveCase{"short of the bottom limit", 2, 0, 300, 570, 0, 1, 0, 0, 0, 300, 575, 0, 0, 0},
    MoveCase{"charging past the bottom", 0, 0, 300, 570, 0, 0, 0, 0, 1, 300, 576, 50, 0, 0},
    MoveCase{"charging past the top", 0, 0, 300, 55, 0, 0, 0, 0, -1, 300, 45, 50, 0, 0},
    MoveCase{"outside from the start", 0, 0, 700, 700, 1, 1, 0, 0, 0, 586, 576, 0, 0, 0}));

// ---- touching ----

// The boss was drawn at (200, 150) and stands at world (300, 300): it is
// touched while the player's screen position lies within 176..288 × 111..253.
struct TouchCase {
    const char* what;
    int px, py, movedX, movedY, charge, runX;
    int playerXAfter, prevXAfter, playerYAfter, prevYAfter, pushedXAfter, pushedYAfter, hpAfter, bossXAfter, bossYAfter;
};
const TouchCase fromTheRight{"from the right", 288, 200, -5, 0, 0, 0, 560, 500, 500, 500, 1, 0, 34, 295, 300};

void setUpTouch(const TouchCase& c) {
    maxHp = 40; hp = 40; attack = 2; difficulty = 0; playerHitTimer = 0;  // charge 4, touch 6
    pushedX = pushedY = 0;
    bossX = bossY = 300; bossScreenX = 200; bossScreenY = 150;
    playerScreenX = c.px; playerScreenY = c.py;
    playerX = playerY = 500;
    prevPlayerX = 500 - c.movedX; prevPlayerY = 500 - c.movedY;
    bossCharge = c.charge; bossRunX = c.runX;
    bossVolleyA = c.runX == 0 ? 1 : 0;  // a volley keeps the boss from running
    roll1000 = 0;                       // starts nothing while bossRunX is set
}

class BossTouch : public Boss, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(BossTouch, ThrowsThePlayerBackTheWayHeCame) {
    const TouchCase& c = GetParam();
    setUpTouch(c);
    updateBossStats();
    moveBoss();
    EXPECT_EQ((std::array{playerX, prevPlayerX, pushedX}), (std::array{c.playerXAfter, c.prevXAfter, c.pushedXAfter}))
        << c.what;
    EXPECT_EQ((std::array{playerY, prevPlayerY, pushedY}), (std::array{c.playerYAfter, c.prevYAfter, c.pushedYAfter}))
        << c.what;
    EXPECT_EQ(hp, c.hpAfter) << c.what;
    EXPECT_EQ(playerHitTimer, c.hpAfter == 40 ? 0 : 60) << c.what;
    EXPECT_EQ(bossX, c.bossXAfter) << c.what;
    EXPECT_EQ(bossY, c.bossYAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, BossTouch, ::testing::Values(
    TouchCase{"inside, from nowhere", 230, 200, 0, 0, 0, 0, 500, 500, 500, 500, 0, 0, 40, 300, 300},
    fromTheRight,
    TouchCase{"right, out of reach", 289, 200, -5, 0, 0, 0, 500, 505, 500, 500, 0, 0, 40, 300, 300},
    TouchCase{"from the left", 176, 200, 5, 0, 0, 0, 440, 500, 500, 500, 1, 0, 34, 305, 300},
    TouchCase{"left, out of reach", 175, 200, 5, 0, 0, 0, 500, 495, 500, 500, 0, 0, 40, 300, 300},
    TouchCase{"from below", 230, 253, 0, -5, 0, 0, 500, 500, 560, 500, 0, 1, 34, 300, 300},
    TouchCase{"below, out of reach", 230, 254, 0, -5, 0, 0, 500, 500, 500, 505, 0, 0, 40, 300, 300},
    TouchCase{"from above", 230, 111, 0, 5, 0, 0, 500, 500, 440, 500, 0, 1, 34, 300, 300},
    TouchCase{"above, out of reach", 230, 110, 0, 5, 0, 0, 500, 500, 500, 495, 0, 0, 40, 300, 300},
    TouchCase{"ran into a player on its right", 284, 200, 0, 0, 0, 1, 560, 500, 500, 500, 1, 0, 34, 300, 300},
    TouchCase{"ran, one pixel short", 283, 200, 0, 0, 0, 1, 500, 500, 500, 500, 0, 0, 40, 305, 300},
    TouchCase{"charging down onto him", 230, 239, 0, 0, 5, 0, 500, 500, 560, 500, 0, 1, 36, 300, 300},
    TouchCase{"charging down, he is above", 230, 115, 0, 20, 5, 0, 500, 500, 440, 500, 0, 1, 34, 300, 315},
    TouchCase{"charging up onto him", 230, 125, 0, 0, -5, 0, 500, 500, 440, 500, 0, 1, 36, 300, 300},
    TouchCase{"charging, touched sideways", 288, 200, -5, 0, 5, 0, 560, 500, 500, 500, 1, 0, 36, 300, 315},
    // Thrown right, the boss steps back, and the second test sees both moves.
    TouchCase{"thrown right, then back left", 236, 200, -60, 0, 0, 0, 500, 560, 500, 500, 1, 0, 34, 295, 300}));

// The same touch from the right under other circumstances.
// ---- the frame ----


// ---- drawing the boss ----


// ---- attacks ----

struct ChoiceCase { int roll, y, volleyA, volleyB, charge, endA, endB, endCharge, kindInSlot0; };
class BossAttackChoice : public Boss, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(BossAttackChoice, ComesFromTheRollWhenIdle) {
    const ChoiceCase& c = GetParam();
    roll1000 = c.roll; bossX = 300; bossY = c.y;
    bossVolleyA = c.volleyA; bossVolleyB = c.volleyB; bossCharge = c.charge;
    playerScreenX = 600; playerScreenY = 450;
    runBossAttacks();
    EXPECT_EQ(bossVolleyA, c.endA) << "roll " << c.roll;
    EXPECT_EQ(bossVolleyB, c.endB) << "roll " << c.roll;
    EXPECT_EQ(bossCharge, c.endCharge) << "roll " << c.roll;
    EXPECT_EQ(bossShots[0].kind, c.kindInSlot0) << "roll " << c.roll;
}

INSTANTIATE_TEST_SUITE_P(Table, BossAttackChoice, ::testing::Values(
    ChoiceCase{0, 200, 0, 0, 0, 68, 0, 0, 1}, ChoiceCase{4, 200, 0, 0, 0, 68, 0, 0, 1},
    ChoiceCase{1, 200, 0, 0, 0, 0, 68, 0, 2}, ChoiceCase{2, 200, 0, 0, 0, 0, 68, 0, 2},
    ChoiceCase{3, 200, 0, 0, 0, 0, 68, 0, 2}, ChoiceCase{5, 200, 0, 0, 0, 0, 0, 0, 0},
    ChoiceCase{996, 200, 0, 0, 0, 0, 0, 0, 0}, ChoiceCase{997, 163, 0, 0, 0, 0, 0, 28, 0},
    ChoiceCase{997, 164, 0, 0, 0, 0, 0, -28, 0}, ChoiceCase{999, 45, 0, 0, 0, 0, 0, 28, 0},
    ChoiceCase{998, 576, 0, 0, 0, 0, 0, -28, 0}, ChoiceCase{0, 200, 10, 0, 0, 9, 0, 0, 0},
    ChoiceCase{3, 200, 0, 0, 4, 0, 0, 4, 0}, ChoiceCase{997, 100, 0, 10, 0, 0, 9, 0, 0}));

TEST_F(Boss, AVolleyFiresOneShotIntoTheLowestFreeSlot) {
    bossX = bossY = 300;
    playerScreenX = 600; playerScreenY = 252;
    placeShot(0, 2, 100, 100, 400);
    bossShots[5] = BossShot{0, 5, 6, 77, 88, 0};
    roll1000 = 0;
    runBossAttacks();
    const BossShot& shot = bossShots[1];
    EXPECT_EQ(shot.kind, 1); EXPECT_EQ(shot.life, 299); EXPECT_EQ(shotPhase[1], 1);
    EXPECT_EQ(shot.drawX, 332) << "fired at bossX + 32, one frame of sway is 0";
    EXPECT_EQ(shot.drawY, 252) << "fired at bossY - 48";
    EXPECT_EQ(shot.x, 333) << "then one step toward the player";
    EXPECT_EQ(shot.y, 252);
    for (int i = 2; i < bossShotCount; ++i) {  // free slots sit at 0, 0
        EXPECT_EQ((std::array{bossShots[i].kind, bossShots[i].x, bossShots[i].y}), (std::array{0, 0, 0})) << i;
    }
    EXPECT_EQ(magicSounds(), 1); EXPECT_EQ(bossVolleyA, 68);
    runBossAttacks();
    EXPECT_EQ(bossShots[2].kind, 0) << "one shot per volley";
    EXPECT_EQ(magicSounds(), 1); EXPECT_EQ(bossVolleyA, 67);
    roll1000 = 3;  // volley B, once A is over
    bossVolleyA = 0;
    runBossAttacks();
    EXPECT_EQ(bossShots[2].kind, 2); EXPECT_EQ(bossShots[2].life, 499); EXPECT_EQ(bossShots[2].x, 334);
    EXPECT_EQ(magicSounds(), 2);
}

TEST_F(Boss, WithEverySlotBusyAVolleyFiresNothingAndRunsDown) {
    for (int i = 0; i < bossShotCount; ++i) placeShot(i, 2, 100, 100, 400);
    playerScreenX = 600; playerScreenY = 450;
    roll1000 = 0;
    runBossAttacks();
    EXPECT_EQ(bossVolleyA, 69); EXPECT_EQ(magicSounds(), 0);
    bossShots[3].kind = 0;
    runBossAttacks();
    EXPECT_EQ(bossVolleyA, 68); EXPECT_EQ(magicSounds(), 0);
    EXPECT_EQ(bossShots[3].kind, 0) << "only the volley's first frame fires";
}

struct HomingCase { const char* what; int kind, seconds, px, py, x, y; };
class ShotHoming : public Boss, public ::testing::WithParamInterface<HomingCase> {};

TEST_P(ShotHoming, StepsTowardThePlayer) {
    const HomingCase& c = GetParam();
    placeShot(0, c.kind, 300, 200, 100);
    playSeconds = c.seconds;
    playerScreenX = c.px; playerScreenY = c.py;
    runBossAttacks();
    EXPECT_EQ(bossShots[0].x, c.x) << c.what;
    EXPECT_EQ(bossShots[0].y, c.y) << c.what;
    EXPECT_EQ(bossShots[0].kind, c.kind) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, ShotHoming, ::testing::Values(
    HomingCase{"kind 1 right, level", 1, 0, 400, 200, 301, 200},
    HomingCase{"kind 2 right and down", 2, 0, 400, 300, 302, 202},
    HomingCase{"left and up before 1500 s", 1, 1499, 100, 100, 299, 199},
    HomingCase{"faster from 1500 s", 1, 1500, 100, 100, 298, 198},
    HomingCase{"late in the game", 1, 9999, 400, 300, 307, 207},
    HomingCase{"kind 2 one pixel right: undone", 2, 0, 301, 300, 300, 202},
    HomingCase{"kind 1 one pixel right: kept", 1, 0, 301, 300, 301, 201},
    HomingCase{"overshoot measured by kind, not step", 2, 3000, 302, 300, 304, 204},
    HomingCase{"kind 2 one pixel left: undone", 2, 0, 299, 100, 300, 198},
    HomingCase{"kind 2 one pixel below: undone", 2, 0, 400, 201, 302, 200},
    HomingCase{"kind 2 one pixel above: undone", 2, 0, 400, 199, 302, 200}));

TEST_F(Boss, ShotDamageByKindAndProtection) {
    struct { int kind, hpBefore, difficulty, timer, hpAfter, timerAfter; } cases[] = {
        {1, 40, 0, 0, 30, 60}, {1, 3, 0, 0, 3, 60}, {2, 40, 1, 0, 8, 30}, {2, 40, 2, 0, 8, 0}, {1, 40, 0, 5, 40, 5}};
    for (const auto& c : cases) {
        placeShot(0, c.kind, 300, 200, 50);
        hp = c.hpBefore; level = 1; difficulty = c.difficulty; playerHitTimer = c.timer;
        playerScreenX = 310; playerScreenY = 210;
        updateBossStats();
        runBossAttacks();
        EXPECT_EQ(bossShots[0].kind, 0) << "the shot is spent in any case";
        EXPECT_EQ(hp, c.hpAfter) << "kind " << c.kind << " hp " << c.hpBefore;
        EXPECT_EQ(playerHitTimer, c.timerAfter) << "kind " << c.kind << " difficulty " << c.difficulty;
    }
}


}  // namespace
