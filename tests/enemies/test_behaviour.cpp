// How an enemy moves in one update: chasing, keeping apart, detours,
// random walks and re-arming.
#include <gtest/gtest.h>

#include <array>

#include "app/game_state.h"
#include "enemies/behaviour.h"
#include "enemies/case_name.h"
#include "enemies/roster.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// A fresh game with one active enemy in `slot` whose screen position is
// the player's (300, 200) plus (dx, dy), in a view whose corner is at
// (700, 800).
EnemySlot& placeEnemy(int slot, int32_t dx, int32_t dy, int32_t speed) {
    scrollX = 700, scrollY = 800;
    playerScreenX = 300, playerScreenY = 200;
    EnemySlot& e = enemySlots[slot];
    e = EnemySlot{};
    e.speed = speed, e.active = 1, e.x = 1000 + dx, e.y = 1000 + dy;
    return e;
}

struct ChaseCase {
    const char* what;
    int32_t dx, dy;        // enemy's screen position minus the player's
    int32_t moveX, moveY;  // expected change of x and y by the chase
    int32_t steps;         // expected chaseSteps
    int32_t speed = 2;
    int32_t wanders = 0;   // then walks on 2 down
    int32_t fadeOut = 0, fadeIn = 0, quake = 0;
    int32_t bump = 0, roll0 = 0, detourX = 0, detourY = 0;  // a blocked chaser's detour, its side from dirRoll[0]
};

class EnemyChase : public ::testing::TestWithParam<ChaseCase> {
    void SetUp() override { testing_support::freshHeadlessGame(); }
};

// Chasing needs no fade and no earthquake; a random walk under way goes on
// when nothing was chased, unless a fade-in or an earthquake holds the
// enemy, and stops otherwise. A blocked chaser sidesteps by 2 × speed.
TEST_P(EnemyChase, StepsTowardThePlayerInsideTheWindowOnly) {
    const ChaseCase& c = GetParam();
    EnemySlot& e = placeEnemy(2, c.dx, c.dy, c.speed);
    fadingOut = c.fadeOut, fadingIn = c.fadeIn, quakeFrames = c.quake;
    dirRoll[0] = c.roll0;  // the slot's own roll, 0, plays no part
    enemyBump[2] = c.bump;
    wanderY[2] = 30;
    chaseEnemy(2);
    EXPECT_EQ((std::array{e.prevX, e.prevY, e.x, e.y, chaseSteps, movedX, movedY}),
              (std::array{1000 + c.dx, 1000 + c.dy, 1000 + c.dx + c.moveX, 1000 + c.dy + c.moveY, c.steps,
                          int32_t(c.moveX != 0), int32_t(c.moveY != 0)}));
    EXPECT_EQ(std::pair(enemyScreenX[2], enemyScreenY[2]), std::pair(e.x - 700, e.y - 800));
    steerEnemy(2);
    const auto detour = [&c](int32_t frames) { return frames > 0 ? 2 * c.speed : frames < 0 ? -2 * c.speed : 0; };
    EXPECT_EQ((std::array{e.x, e.y, wanderY[2], detourX[2], detourY[2], enemyBump[2], movedX, movedY, chaseSteps}),
              (std::array{1000 + c.dx + c.moveX + detour(c.detourX),
                          1000 + c.dy + c.moveY + 2 * c.wanders + detour(c.detourY), c.wanders == 1 ? 29 : 0,
                          c.detourX, c.detourY, c.bump - 1, 0, 0, 0}));
}

const ChaseCase kChases[] = {
    {"player 219 right", -219, 0, 2, 0, 1}, {"player 220 right: wanders", -220, 0, 0, 0, 0, 2, 1},
    {"player 219 left", 219, 0, -2, 0, 1}, {"player 220 left: wanders", 220, 0, 0, 0, 0, 2, 1},
    {"player 164 below, same column", 0, -164, 0, 2, 1}, {"player 165 below: wanders", 0, -165, 0, 0, 0, 2, 1},
    {"player 164 above", 0, 164, 0, -2, 1}, {"player 165 above: wanders", 0, 165, 0, 0, 0, 2, 1},
    {"diagonal, both inside", -219, -164, 2, 2, 2}, {"right but 165 below: wanders", -100, -165, 0, 0, 0, 2, 1},
    {"left but 165 above: wanders", 100, 165, 0, 0, 0, 2, 1}, {"on the player: stands", 0, 0, 0, 0, 0},
    // Stepping 3 toward a line 2 away would overshoot; that step is taken back.
    {"overshoot", -2, 100, 0, -3, 2, 3},
    // A fade-out stops the chase but not the walk; a fade-in or an earthquake stops both.
    {"fading out, below right", -100, -100, 0, 0, 0, 2, 1, 1}, {"fading out, above left", 100, 100, 0, 0, 0, 2, 1, 1},
    {"fading in", -100, -100, 0, 0, 0, 2, 0, 0, 1},            {"earthquake", 100, 100, 0, 0, 0, 2, 0, 0, 0, 1},
    {"blocked chasing right, even roll: down", -100, 0, 3, 0, 1, 3, 0, 0, 0, 0, 1, 2, 0, 99},
    {"blocked chasing left, odd roll: up", 100, 0, -3, 0, 1, 3, 0, 0, 0, 0, 1, 5, 0, -99},
    {"blocked chasing down, even roll: right", 0, -100, 0, 3, 1, 3, 0, 0, 0, 0, 1, 4, 99, 0},
    {"blocked chasing up, odd roll: left", 0, 100, 0, -3, 1, 3, 0, 0, 0, 0, 1, 7, -99, 0},
    {"blocked diagonal chase: no detour", -100, -100, 3, 3, 2, 3, 0, 0, 0, 0, 1, 2, 0, 0}};
INSTANTIATE_TEST_SUITE_P(Window, EnemyChase, ::testing::ValuesIn(kChases), caseName<ChaseCase>);

// With speed 2 the reach is 47 across and 42 up and down.
TEST(EnemySeparate, PushesOnlyTheEnemyWhoseTurnItIs) {
    const struct { int32_t dx, dy, moveX, moveY; } cases[] = {  // (dx, dy): the other enemy minus this one on screen
        {46, 0, -2, 0}, {47, 0, 0, 0}, {-46, 0, 2, 0}, {-47, 0, 0, 0}, {0, 41, 0, -2}, {0, 42, 0, 0}, {0, -41, 0, 2},
        {0, -42, 0, 0}, {10, 10, -2, -2}, {-44, -39, 2, 2}, {30, 40, 0, -2}, {45, 30, -2, 0}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        testing_support::freshHeadlessGame();
        EnemySlot& e = placeEnemy(3, 500, 0, 2);
        EnemySlot& other = placeEnemy(6, 0, 0, 5);
        enemyScreenX[3] = enemyScreenY[3] = 100;
        enemyScreenX[6] = 100 + c.dx;
        enemyScreenY[6] = 100 + c.dy;
        enemyBump[3] = -4;
        separateEnemies(3, 6);
        EXPECT_EQ((std::array{e.x, e.y, enemyBump[3], other.x, other.y}),
                  (std::array{1500 + c.moveX, 1000 + c.moveY, (c.moveX != 0 || c.moveY != 0) ? 1 : -4, 1000, 1000}))
            << "dx " << c.dx << " dy " << c.dy;
    }
}

// The player far off, the enemy starts a run of 100 frames by its own roll.
TEST(EnemyWanderDirection, StartsAHundredFrameRun) {
    const struct { int32_t roll, runX, runY; } cases[] = {{0, -99, 0}, {1, -99, -99}, {2, 0, -99}, {3, 99, -99},
                                                           {4, 99, 0},  {5, 99, 99},   {6, 0, 99},  {7, -99, 99}};
    for (const auto& c : cases) {
        testing_support::freshHeadlessGame();
        EnemySlot& e = placeEnemy(3, 1000, 1000, 2);
        for (int k = 0; k < 8; ++k) dirRoll[k] = (c.roll + 3) % 8;
        dirRoll[3] = c.roll;
        detourX[3] = 40, detourY[3] = -40, enemyBump[3] = 1;  // blocked: the detours step once, then the walk ends them
        chaseEnemy(3);
        steerEnemy(3);
        const auto step = [](int32_t run) { return run == 0 ? 0 : (run > 0 ? 2 : -2); };
        EXPECT_EQ((std::array{wanderX[3], wanderY[3], e.x, e.y, detourX[3], detourY[3]}),
                  (std::array{c.runX, c.runY, 2004 + step(c.runX), 1996 + step(c.runY), 0, 0}))
            << c.roll;
    }
}

TEST(EnemyRearm, ReplacementComesBackOnlyFarOffScreen) {
    const struct { int32_t dx, dy, active; } cases[] = {{433, 0, 1}, {432, 0, 0}, {-339, 0, 1}, {-338, 0, 0},
                                                         {0, 353, 1}, {0, 352, 0}, {0, -259, 1}, {0, -258, 0}};
    for (const auto& c : cases) {
        testing_support::freshHeadlessGame();
        EnemySlot& e = placeEnemy(7, c.dx, c.dy, 1);
        e.active = 0;
        chaseEnemy(7);
        steerEnemy(7);
        EXPECT_EQ(e.active, c.active) << c.dx << ", " << c.dy;
    }
}

}  // namespace
