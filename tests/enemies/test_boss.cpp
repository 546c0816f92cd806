// The boss of area 1: its strengths, its runs and charges, its touch, and
// its two volleys of swaying homing shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "enemies/boss.h"
#include "enemies/case_name.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

class Boss : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);  // sheets, sounds, the starting statistics
        areaId = 1, scene = 1, playSeconds = 0;
        roll1000 = 500;  // starts no attack
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

// The second row is the hardest: there the touch takes the attack.
TEST_F(Boss, StrengthsFollowThePlayerAndThePlayTime) {
    const struct { int maxHp, hp, level, attack, difficulty, seconds, charge, shotA, shotB, touch, speed; } cases[] = {
        {15, 15, 1, 1, 0, 0, 1, 3, 32, 3, 5}, {109, 3, 8, 7, 2, 9999, 10, 0, 46, 7, 38},
        {40, 39, 5, 5, 1, 299, 4, 9, 40, 7, 5}, {9, 4, 2, 4, 0, 300, 0, 1, 34, 12, 6}};
    for (const auto& c : cases) {
        maxHp = c.maxHp; hp = c.hp; level = c.level; attack = c.attack; difficulty = c.difficulty;
        playSeconds = c.seconds;
        updateBossStats();
        EXPECT_EQ((std::array{bossChargeDamage, shotDamageA, shotDamageB, bossTouchDamage, bossSpeed}),
                  (std::array{c.charge, c.shotA, c.shotB, c.touch, c.speed})) << "max " << c.maxHp;
    }
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
    EXPECT_EQ((std::array{bossPrevX, bossX, bossY, bossRunX, bossRunY, bossCharge}),
              (std::array{c.x0, c.x, c.y, c.endRunX, c.endRunY, c.endCharge}));
}

INSTANTIATE_TEST_SUITE_P(Table, BossMove, ::testing::Values(
    MoveCase{"roll 401: left, short of the left limit", 401, 0, 46, 300, 0, 0, 0, 0, 0, 41, 300, -49, 0, 0},
    MoveCase{"roll 2: down, short of the bottom limit", 2, 0, 300, 570, 0, 0, 0, 0, 0, 300, 575, 0, 49, 0},
    MoveCase{"roll 3: up and right, short of the top and right", 3, 0, 580, 51, 1, 0, 0, 0, 0, 585, 46, 0, -49, 0},
    MoveCase{"roll 100: right, late, past the right", 100, 9999, 560, 300, 0, 0, 0, 0, 0, 586, 300, 49, 0, 0},
    MoveCase{"a run under way is kept, past the left", 0, 0, 44, 300, -10, 0, 0, 0, 0, 40, 300, -9, 0, 0},
    MoveCase{"volley A holds it", 0, 0, 300, 300, 0, 0, 5, 0, 0, 300, 300, 50, 0, 0},
    MoveCase{"volley B holds it", 2, 0, 300, 300, 0, 0, 0, 5, 0, 300, 300, 0, 50, 0},
    MoveCase{"charge down at 299 s", 0, 299, 300, 300, 0, 0, 0, 0, 1, 300, 315, 50, 0, 0},
    MoveCase{"charge down at 300 s", 0, 300, 300, 300, 0, 0, 0, 0, 1, 300, 316, 50, 0, 0},
    MoveCase{"charge up late", 0, 9999, 300, 300, 0, 0, 0, 0, -5, 300, 252, 50, 0, -4},
    MoveCase{"charging past the top", 0, 0, 300, 55, 0, 0, 0, 0, -1, 300, 45, 50, 0, 0},
    MoveCase{"charging past the bottom", 0, 0, 300, 570, 0, 0, 0, 0, 1, 300, 576, 50, 0, 0}),
    caseName<MoveCase>);

// ---- touching ----

// The boss was drawn at (200, 150) and stands at world (300, 300): it is
// touched while the player's screen position lies within 176..288 × 111..253,
// but only in its own arena.
struct TouchCase {
    const char* what;
    int px, py, movedX, movedY, charge, runX;
    int playerXAfter, prevXAfter, playerYAfter, prevYAfter, pushedXAfter, pushedYAfter, hpAfter, bossXAfter, bossYAfter;
    int area = 1;
};
class BossTouch : public Boss, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(BossTouch, ThrowsThePlayerBackTheWayHeCame) {
    const TouchCase& c = GetParam();
    areaId = c.area;
    maxHp = 40; hp = 40; attack = 2; difficulty = 0; playerHitTimer = 0;  // charge 4, touch 6
    pushedX = pushedY = 0;
    bossX = bossY = 300; bossScreenX = 200; bossScreenY = 150;
    playerScreenX = c.px; playerScreenY = c.py;
    playerX = playerY = 500;
    prevPlayerX = 500 - c.movedX; prevPlayerY = 500 - c.movedY;
    bossCharge = c.charge; bossRunX = c.runX;
    bossVolleyA = c.runX == 0 ? 1 : 0;  // a volley keeps the boss from running
    roll1000 = 0;                       // starts nothing while bossRunX is set
    updateBossStats();
    moveBoss();
    EXPECT_EQ(
        (std::array{playerX, prevPlayerX, pushedX, playerY, prevPlayerY, pushedY, hp, playerHitTimer, bossX, bossY}),
        (std::array{c.playerXAfter, c.prevXAfter, c.pushedXAfter, c.playerYAfter, c.prevYAfter, c.pushedYAfter,
                    c.hpAfter, c.hpAfter == 40 ? 0 : 60, c.bossXAfter, c.bossYAfter}));
}

INSTANTIATE_TEST_SUITE_P(Table, BossTouch, ::testing::Values(
    TouchCase{"inside at left and bottom, unmoved", 176, 253, 0, 0, 0, 0, 500, 500, 500, 500, 0, 0, 40, 300, 300},
    TouchCase{"from the right", 288, 200, -5, 0, 0, 0, 560, 500, 500, 500, 1, 0, 34, 295, 300},
    TouchCase{"from the right, paused in area 40", 288, 200, -5, 0, 0, 0, 500, 505, 500, 500, 0, 0, 40, 300, 300, 40},
    TouchCase{"right, out of reach", 289, 200, -5, 0, 0, 0, 500, 505, 500, 500, 0, 0, 40, 300, 300},
    TouchCase{"from just left of the box", 176, 200, 1, 0, 0, 0, 440, 500, 500, 500, 1, 0, 34, 305, 300},
    TouchCase{"left, out of reach", 175, 200, 5, 0, 0, 0, 500, 495, 500, 500, 0, 0, 40, 300, 300},
    TouchCase{"from below", 230, 253, 0, -5, 0, 0, 500, 500, 560, 500, 0, 1, 34, 300, 300},
    TouchCase{"below, out of reach", 230, 254, 0, -5, 0, 0, 500, 500, 500, 505, 0, 0, 40, 300, 300},
    TouchCase{"above, out of reach", 230, 110, 0, 5, 0, 0, 500, 500, 500, 495, 0, 0, 40, 300, 300},
    TouchCase{"ran into a player on its right", 284, 200, 0, 0, 0, 1, 560, 500, 500, 500, 1, 0, 34, 300, 300},
    TouchCase{"ran, one pixel short, at the top", 283, 111, 0, 0, 0, 1, 500, 500, 500, 500, 0, 0, 40, 305, 300},
    TouchCase{"charging down onto him", 230, 239, 0, 0, 5, 0, 500, 500, 560, 500, 0, 1, 36, 300, 300},
    TouchCase{"charging down, he is above", 230, 111, 0, 16, 5, 0, 500, 500, 440, 500, 0, 1, 34, 300, 315},
    TouchCase{"charging up onto him", 230, 125, 0, 0, -5, 0, 500, 500, 440, 500, 0, 1, 36, 300, 300},
    TouchCase{"charging, touched sideways", 288, 200, -5, 0, 5, 0, 560, 500, 500, 500, 1, 0, 36, 300, 315},
    // Thrown right, the boss steps back, and the second test sees both moves.
    TouchCase{"thrown right, then back left", 236, 200, -60, 0, 0, 0, 500, 560, 500, 500, 1, 0, 34, 295, 300}),
    caseName<TouchCase>);

// ---- drawing ----

// The sheet's three 128×128 cells are filled with the colours 1, 2 and 3,
// so the colour drawn tells the pose. The view's corner is at (50, 30).
struct DrawCase {
    const char* what;
    int sx, sy, volleyA, volleyB, charge, hitTimer, alive;
    int pose; Rect source; int screenX, screenY, pixels;
};

class BossDraw : public Boss, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(BossDraw, ShowsItsPoseClippedToTheScreen) {
    const DrawCase& c = GetParam();
    bossSheet = std::make_unique<SpriteSheet>(SpriteSheet{384, 128, std::vector<uint8_t>(384 * 128), 0});
    for (int i = 0; i < 384 * 128; ++i) bossSheet->pixels[i] = uint8_t(1 + i % 384 / 128);
    std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 0);
    scrollX = 50; scrollY = 30; bossX = 50 + c.sx; bossY = 30 + c.sy;
    bossVolleyA = c.volleyA; bossVolleyB = c.volleyB; bossCharge = c.charge;
    bossHitTimer = c.hitTimer; bossAlive = c.alive;
    drawBoss();
    const Rect& r = bossSrcRect;
    EXPECT_EQ((std::array{bossPose, r.left, r.top, r.right, r.bottom, bossScreenX, bossScreenY}),
              (std::array{c.pose, c.source.left, c.source.top, c.source.right, c.source.bottom, c.screenX, c.screenY}));
    EXPECT_EQ(std::count(backBuffer->pixels.begin(), backBuffer->pixels.end(), uint8_t(0)), 640 * 480 - c.pixels);
    EXPECT_EQ(std::count(backBuffer->pixels.begin(), backBuffer->pixels.end(), uint8_t(1 + c.pose)), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, BossDraw, ::testing::Values(
    DrawCase{"roaming, even hit timer", 100, 100, 0, 0, 0, 2, 1, 0, {0, 0, 128, 128}, 100, 100, 16384},
    DrawCase{"volley A, one off the left", -1, 100, 5, 0, 0, 0, 1, 1, {129, 0, 256, 128}, 0, 100, 16256},
    DrawCase{"volley B and a charge, one off the top", 1, -1, 0, 3, 4, 0, 1, 1, {128, 1, 256, 128}, 1, 0, 16256},
    DrawCase{"charging, one off right and bottom", 513, 353, 0, 0, -2, 0, 1, 2, {256, 0, 383, 127}, 513, 353, 16129},
    DrawCase{"charging, within the right and bottom", 511, 351, 0, 0, 1, 0, 1, 2, {256, 0, 384, 128}, 511, 351, 16384},
    DrawCase{"wholly off the right", 700, 100, 0, 0, 0, 0, 1, 0, {0, 0, -60, 128}, 700, 100, 0},
    DrawCase{"odd hit timer: blinks", 100, 100, 0, 0, 0, 1, 1, 0, {0, 0, 128, 128}, 100, 100, 0},
    DrawCase{"defeated", 100, 100, 0, 0, 0, 0, 0, 0, {0, 0, 128, 128}, 100, 100, 0},
    DrawCase{"alive other than 1", 100, 100, 0, 0, 0, 0, 2, 0, {0, 0, 128, 128}, 100, 100, 0}),
    caseName<DrawCase>);

// ---- attacks ----

TEST_F(Boss, AttackComesFromTheRollWhenIdle) {
    const struct { int roll, y, volleyA, volleyB, charge, endA, endB, endCharge, kindInSlot0; } cases[] = {
        {0, 200, 0, 0, 0, 68, 0, 0, 1},   {4, 200, 0, 0, 0, 68, 0, 0, 1},     {1, 200, 0, 0, 0, 0, 68, 0, 2},
        {3, 200, 0, 0, 0, 0, 68, 0, 2},   {5, 200, 0, 0, 0, 0, 0, 0, 0},      {996, 200, 0, 0, 0, 0, 0, 0, 0},
        {997, 163, 0, 0, 0, 0, 0, 28, 0}, {997, 164, 0, 0, 0, 0, 0, -28, 0},  {999, 45, 0, 0, 0, 0, 0, 28, 0},
        {0, 200, 10, 0, 0, 9, 0, 0, 0},   {3, 200, 0, 0, 4, 0, 0, 4, 0},      {997, 100, 0, 10, 0, 0, 9, 0, 0}};
    for (const auto& c : cases) {
        for (BossShot& shot : bossShots) shot = BossShot{};
        roll1000 = c.roll; bossX = 300; bossY = c.y;
        bossVolleyA = c.volleyA; bossVolleyB = c.volleyB; bossCharge = c.charge;
        playerScreenX = 600; playerScreenY = 450;
        runBossAttacks();
        EXPECT_EQ((std::array{bossVolleyA, bossVolleyB, bossCharge, bossShots[0].kind}),
                  (std::array{c.endA, c.endB, c.endCharge, c.kindInSlot0})) << "roll " << c.roll << ", y " << c.y;
    }
}

TEST_F(Boss, AVolleyFiresOneShotIntoTheLowestFreeSlot) {
    bossX = bossY = 300;
    playerScreenX = 600; playerScreenY = 252;
    placeShot(0, 2, 100, 100, 400);
    bossShots[5] = BossShot{0, 5, 6, 77, 88, 0};
    roll1000 = 0;
    runBossAttacks();
    // Fired at (bossX + 32, bossY - 48), one frame of sway being 0, then one
    // step toward the player.
    const BossShot& shot = bossShots[1];
    EXPECT_EQ((std::array{shot.kind, shot.life, shotPhase[1], shot.drawX, shot.drawY, shot.x, shot.y}),
              (std::array{1, 299, 1, 332, 252, 333, 252}));
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
}

// One frame of a shot on its path at (300, 200). Sine entries 30, 90 and
// 150 (32767, 65535, 32768) draw it 9, 19 and 10 pixels to the right. It
// hits a player less than 40 pixels from where it is drawn while the boss
// is alive: kind 1 takes a quarter of his hit points, kind 2 2 × level + 30.
TEST_F(Boss, ShotSwaysHomesAndHitsWhereItIsDrawn) {
    const struct {
        const char* what;
        int kind, seconds, phase, endPhase, drawX, px, py, alive, hp, difficulty, timer, hit, hpAfter, timerAfter, x, y;
    } cases[] = {
        {"hits at the right and bottom", 1, 0, 89, 90, 319, 358, 239, 1, 40, 0, 0, 1, 30, 60, 301, 201},
        {"40 right of it", 1, 0, 89, 90, 319, 359, 200, 1, 40, 0, 0, 0, 40, 0, 301, 200},
        {"hits at the left and top", 1, 0, 89, 90, 319, 280, 161, 1, 40, 0, 0, 1, 30, 60, 299, 199},
        {"40 left of it", 1, 0, 89, 90, 319, 279, 200, 1, 40, 0, 0, 0, 40, 0, 299, 200},
        {"40 below it", 1, 0, 89, 90, 319, 300, 240, 1, 40, 0, 0, 0, 40, 0, 299, 201},
        {"40 above it", 1, 0, 89, 90, 319, 300, 160, 1, 40, 0, 0, 0, 40, 0, 299, 199},
        {"the boss defeated", 1, 0, 89, 90, 319, 358, 239, 0, 40, 0, 0, 0, 40, 0, 301, 201},
        {"kind 1 right, level", 1, 0, 29, 30, 309, 400, 200, 1, 40, 0, 0, 0, 40, 0, 301, 200},
        {"kind 2 right and down", 2, 0, 149, 150, 310, 400, 300, 1, 40, 0, 0, 0, 40, 0, 302, 202},
        {"left and up before 1500 s", 1, 1499, 179, 0, 300, 100, 100, 1, 40, 0, 0, 0, 40, 0, 299, 199},
        {"faster from 1500 s", 1, 1500, 179, 0, 300, 100, 100, 1, 40, 0, 0, 0, 40, 0, 298, 198},
        {"kind 2 one pixel right: undone", 2, 0, 179, 0, 300, 301, 300, 1, 40, 0, 0, 0, 40, 0, 300, 202},
        {"kind 1 one pixel right: kept", 1, 0, 179, 0, 300, 301, 300, 1, 40, 0, 0, 0, 40, 0, 301, 201},
        {"overshoot measured by kind, not step", 2, 3000, 179, 0, 300, 302, 300, 1, 40, 0, 0, 0, 40, 0, 304, 204},
        {"kind 2 one pixel left: undone", 2, 0, 179, 0, 300, 299, 100, 1, 40, 0, 0, 0, 40, 0, 300, 198},
        {"kind 2 one pixel below: undone", 2, 0, 179, 0, 300, 400, 201, 1, 40, 0, 0, 0, 40, 0, 302, 200},
        {"kind 2 one pixel above: undone", 2, 0, 179, 0, 300, 400, 199, 1, 40, 0, 0, 0, 40, 0, 302, 200},
        {"kind 1 takes none of 3", 1, 0, 179, 0, 300, 310, 210, 1, 3, 0, 0, 1, 3, 60, 301, 201},
        {"kind 2, difficulty 1", 2, 0, 179, 0, 300, 310, 210, 1, 40, 1, 0, 1, 8, 30, 302, 202},
        {"kind 2, difficulty 2", 2, 0, 179, 0, 300, 310, 210, 1, 40, 2, 0, 1, 8, 0, 302, 202},
        {"protected", 1, 0, 179, 0, 300, 310, 210, 1, 40, 0, 5, 1, 40, 5, 301, 201}};
    for (const auto& c : cases) {
        placeShot(0, c.kind, 300, 200, 100, c.phase);
        scrollX = scrollY = 0;
        hp = c.hp; level = 1; difficulty = c.difficulty; playerHitTimer = c.timer; bossAlive = c.alive;
        playSeconds = c.seconds;
        playerScreenX = c.px; playerScreenY = c.py;
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 0);
        updateBossStats();
        runBossAttacks();
        const int drawn = std::count(backBuffer->pixels.begin(), backBuffer->pixels.end(), 0) < 640 * 480;
        EXPECT_EQ((std::array{shotPhase[0], bossShots[0].drawX, shotScreenX, drawn, hp, playerHitTimer,
                              bossShots[0].kind, bossShots[0].x, bossShots[0].y}),
                  (std::array{c.endPhase, c.drawX, c.drawX, c.alive, c.hpAfter, c.timerAfter, c.hit ? 0 : c.kind,
                              c.x, c.y}))
            << c.what;
    }
}

}  // namespace
