// How an enemy moves in one update: chasing, keeping apart, detours,
// random walks and re-arming.
#include <gtest/gtest.h>

#include "app/game_state.h"
#include "enemies/behaviour.h"
#include "enemies/roster.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// The view's corner and the player's drawn position used throughout.
constexpr int32_t kScrollX = 700;
constexpr int32_t kScrollY = 800;
constexpr int32_t kPlayerX = 300;
constexpr int32_t kPlayerY = 200;

// A fresh game with one active enemy in `slot` whose screen position is
// the player's plus (dx, dy).
EnemySlot& placeEnemy(int slot, int32_t dx, int32_t dy, int32_t speed) {
    scrollX = kScrollX;
    scrollY = kScrollY;
    playerScreenX = kPlayerX;
    playerScreenY = kPlayerY;
    EnemySlot& e = enemySlots[slot];
    e.kind = 0;
    e.speed = speed;
    e.active = 1;
    e.x = kScrollX + kPlayerX + dx;
    e.y = kScrollY + kPlayerY + dy;
    return e;
}

struct ChaseCase {
    const char* what;
    int32_t dx, dy;          // enemy's screen position minus the player's
    int32_t moveX, moveY;    // expected change of x and y
    int32_t steps;           // expected chaseSteps
};

class EnemyChase : public ::testing::TestWithParam<ChaseCase> {};

TEST_P(EnemyChase, StepsTowardThePlayerInsideTheWindowOnly) {
    const ChaseCase& c = GetParam();
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(2, c.dx, c.dy, 2);
    const int32_t x0 = e.x, y0 = e.y;
    chaseEnemy(2);
    EXPECT_EQ(e.prevX, x0) << c.what;
    EXPECT_EQ(e.prevY, y0) << c.what;
    EXPECT_EQ(e.x - x0, c.moveX) << c.what;
    EXPECT_EQ(e.y - y0, c.moveY) << c.what;
    EXPECT_EQ(chaseSteps, c.steps) << c.what;
    EXPECT_EQ(movedX, c.moveX != 0 ? 1 : 0) << c.what;
    EXPECT_EQ(movedY, c.moveY != 0 ? 1 : 0) << c.what;
    EXPECT_EQ(enemyScreenX[2], e.x - kScrollX) << c.what;
    EXPECT_EQ(enemyScreenY[2], e.y - kScrollY) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Window, EnemyChase,
    ::testing::Values(ChaseCase{"player 219 right", -219, 0, 2, 0, 1},
                      ChaseCase{"player 220 right", -220, 0, 0, 0, 0},
                      ChaseCase{"player 219 left", 219, 0, -2, 0, 1},
                      ChaseCase{"player 220 left", 220, 0, 0, 0, 0},
                      ChaseCase{"player 164 below, same column", 0, -164, 0, 2, 1},
                      ChaseCase{"player 165 below", 0, -165, 0, 0, 0},
                      ChaseCase{"player 164 above", 0, 164, 0, -2, 1},
                      ChaseCase{"player 165 above", 0, 165, 0, 0, 0},
                      ChaseCase{"diagonal, both inside", -219, -164, 2, 2, 2},
                      ChaseCase{"right but 165 below", -100, -165, 0, 0, 0},
                      ChaseCase{"left but 165 above", 100, 165, 0, 0, 0},
                      ChaseCase{"on the player", 0, 0, 0, 0, 0}));

// Stepping 3 toward a line 2 away would overshoot; the step is undone.
TEST(EnemyChase, OvershootIsTakenBack) {
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(0, -2, 100, 3);
    const int32_t x0 = e.x, y0 = e.y;
    chaseEnemy(0);
    EXPECT_EQ(e.x, x0);
    EXPECT_EQ(movedX, 0);
    EXPECT_EQ(e.y, y0 - 3);
    EXPECT_EQ(movedY, 1);
    EXPECT_EQ(chaseSteps, 2);
}

// A replacement still waiting takes no step, but the overshoot
// correction still moves it away from the player's line.
struct FreedomCase {
    const char* what;
    int32_t fadingOut, fadingIn, quake;
    int32_t moveX, moveY;  // dirRoll 2 walks up
};

class EnemyFreedom : public ::testing::TestWithParam<FreedomCase> {};

struct SeparateCase {
    int32_t dx, dy;  // other minus this enemy on screen
    int32_t moveX, moveY;
};

class EnemySeparate : public ::testing::TestWithParam<SeparateCase> {};

TEST_P(EnemySeparate, PushesOnlyTheEnemyWhoseTurnItIs) {
    const SeparateCase& c = GetParam();
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(3, 500, 0, 2);
    EnemySlot& other = placeEnemy(6, 0, 0, 5);
    enemyScreenX[3] = 100;
    enemyScreenY[3] = 100;
    enemyScreenX[6] = 100 + c.dx;
    enemyScreenY[6] = 100 + c.dy;
    enemyBump[3] = -4;
    const int32_t x0 = e.x, y0 = e.y, ox = other.x, oy = other.y;
    separateEnemies(3, 6);
    SCOPED_TRACE(::testing::Message() << "dx " << c.dx << " dy " << c.dy);
    EXPECT_EQ(e.x - x0, c.moveX);
    EXPECT_EQ(e.y - y0, c.moveY);
    EXPECT_EQ(enemyBump[3], (c.moveX != 0 || c.moveY != 0) ? 1 : -4);
    EXPECT_EQ(other.x, ox);
    EXPECT_EQ(other.y, oy);
}

// With speed 2 the reach is 47 across and 42 up and down.
INSTANTIATE_TEST_SUITE_P(
    Distances, EnemySeparate,
    ::testing::Values(SeparateCase{46, 0, -2, 0}, SeparateCase{47, 0, 0, 0},
                      SeparateCase{-46, 0, 2, 0}, SeparateCase{-47, 0, 0, 0},
                      SeparateCase{0, 41, 0, -2}, SeparateCase{0, 42, 0, 0},
                      SeparateCase{0, -41, 0, 2}, SeparateCase{0, -42, 0, 0},
                      SeparateCase{10, 10, -2, -2}, SeparateCase{-44, -39, 2, 2},
                      SeparateCase{30, 40, 0, -2}, SeparateCase{45, 30, -2, 0},
                      SeparateCase{0, 0, 0, 0}));

struct WanderCase {
    int32_t roll;
    int32_t runX, runY;  // after the first frame
};

class EnemyWanderDirection : public ::testing::TestWithParam<WanderCase> {};

// The player is far off, so the enemy walks by its own roll.
TEST_P(EnemyWanderDirection, StartsAHundredFrameRun) {
    const WanderCase& c = GetParam();
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(3, 1000, 1000, 2);
    for (int k = 0; k < 8; ++k) dirRoll[k] = (c.roll + 3) % 8;
    dirRoll[3] = c.roll;
    detourX[3] = 40;
    detourY[3] = -40;
    const int32_t x0 = e.x, y0 = e.y;
    chaseEnemy(3);
    steerEnemy(3);
    EXPECT_EQ(wanderX[3], c.runX) << c.roll;
    EXPECT_EQ(wanderY[3], c.runY) << c.roll;
    EXPECT_EQ(e.x - x0, c.runX == 0 ? 0 : (c.runX > 0 ? 2 : -2)) << c.roll;
    EXPECT_EQ(e.y - y0, c.runY == 0 ? 0 : (c.runY > 0 ? 2 : -2)) << c.roll;
    EXPECT_EQ(detourX[3], 0);
    EXPECT_EQ(detourY[3], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rolls, EnemyWanderDirection,
    ::testing::Values(WanderCase{0, -99, 0}, WanderCase{1, -99, -99}, WanderCase{2, 0, -99},
                      WanderCase{3, 99, -99}, WanderCase{4, 99, 0}, WanderCase{5, 99, 99},
                      WanderCase{6, 0, 99}, WanderCase{7, -99, 99}));

struct DetourCase {
    const char* what;
    int32_t dx, dy;          // enemy minus player on screen
    int32_t firstRoll;       // dirRoll[0]
    int32_t moveX, moveY;    // chase step plus detour step
    int32_t detourX, detourY;
};

class EnemyDetour : public ::testing::TestWithParam<DetourCase> {};

TEST_P(EnemyDetour, BlockedChaserSidesteps) {
    const DetourCase& c = GetParam();
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(2, c.dx, c.dy, 3);
    dirRoll[0] = c.firstRoll;
    dirRoll[2] = c.firstRoll + 1;  // the slot's own roll plays no part
    enemyBump[2] = 1;
    wanderX[2] = 30;
    const int32_t x0 = e.x, y0 = e.y;
    chaseEnemy(2);
    steerEnemy(2);
    EXPECT_EQ(e.x - x0, c.moveX) << c.what;
    EXPECT_EQ(e.y - y0, c.moveY) << c.what;
    EXPECT_EQ(detourX[2], c.detourX) << c.what;
    EXPECT_EQ(detourY[2], c.detourY) << c.what;
    EXPECT_EQ(wanderX[2], 0) << c.what;  // chasing ends a random walk
    EXPECT_EQ(enemyBump[2], 0) << c.what;
    EXPECT_EQ(movedX, 0);
    EXPECT_EQ(movedY, 0);
    EXPECT_EQ(chaseSteps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnemyDetour,
    ::testing::Values(DetourCase{"chasing right, even roll: down", -100, 0, 2, 3, 6, 0, 99},
                      DetourCase{"chasing left, odd roll: up", 100, 0, 5, -3, -6, 0, -99},
                      DetourCase{"chasing down, even roll: right", 0, -100, 4, 6, 3, 99, 0},
                      DetourCase{"chasing up, odd roll: left", 0, 100, 7, -6, -3, -99, 0},
                      DetourCase{"diagonal chase: no detour", -100, -100, 2, 3, 3, 0, 0}));

struct RearmCase {
    int32_t dx, dy;
    int32_t active;
};

class EnemyRearm : public ::testing::TestWithParam<RearmCase> {};

TEST_P(EnemyRearm, ReplacementComesBackOnlyFarOffScreen) {
    const RearmCase& c = GetParam();
    testing_support::freshHeadlessGame();
    EnemySlot& e = placeEnemy(7, c.dx, c.dy, 1);
    e.active = 0;
    chaseEnemy(7);
    steerEnemy(7);
    EXPECT_EQ(e.active, c.active) << c.dx << ", " << c.dy;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, EnemyRearm,
    ::testing::Values(RearmCase{433, 0, 1}, RearmCase{432, 0, 0}, RearmCase{-339, 0, 1},
                      RearmCase{-338, 0, 0}, RearmCase{0, 353, 1}, RearmCase{0, 352, 0},
                      RearmCase{0, -259, 1}, RearmCase{0, -258, 0}));

}  // namespace
