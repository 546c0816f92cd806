// The sword against the enemies and the boss: reach, price, kills, awards
// and the gains of a new level.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "app/random.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "enemies/roster.h"
#include "support/headless_game.h"
#include "world/player_attack.h"

using namespace varnholt;

namespace {

class Sword : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(arm()); }
    // A fresh game in area 40 with the player's sprite at screen (188, 248):
    // the view has stopped 100 pixels short of the map's left edge and 40
    // above its bottom. Every enemy is alive and well out of reach, in the
    // top right corner.
    void arm() {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        std::tie(scene, areaId, playerOffsetX, playerOffsetY) = std::tuple(1, 40, -100, 40);
        std::tie(attack, level, exp) = std::tuple(3, 1, 0);
        maxHp = hp = 15;
        maxStamina = stamina = 9000;
        for (int s = 0; s < enemySlotCount; ++s) {
            EnemySlot& enemy = enemySlots[s];
            std::tie(enemy.active, enemy.hp, enemy.expValue, enemy.expLevel) = std::tuple(1, 50, 10, 2);
            std::tie(enemy.x, enemy.y, enemy.prevX, enemy.prevY) = std::tuple(1000, 2000, 0, 0);
            place(s, 600, 20);
            enemyHitTimer[s] = 0;
        }
    }
    static void place(int s, int32_t screenX, int32_t screenY) {
        enemyScreenX[s] = screenX;
        enemyScreenY[s] = screenY;
    }
    static void swing(int32_t frame) {
        swordFrames = frame;
        playerAttack();
    }
    std::vector<int> sounds() const {
        std::vector<int> effects;
        for (const RecordedEvent& event : backend->events()) {
            if (event.kind == RecordedKind::Sound) effects.push_back(event.effect);
        }
        return effects;
    }
    HeadlessBackend* backend = nullptr;
};

// Facing up: 143 < x < 233, 176 < y < 256; right: 176 < x < 256, 203 < y
// < 293; down: 143 < x < 233, 236 < y < 316; left: 117 < x < 197, 203 < y
// < 293. Each box by its two inside corners and a point on each edge.
TEST_F(Sword, HitsStrictlyInsideTheBoxOfTheFacing) {
    const int32_t knockX[4] = {0, 1, 0, -1}, knockY[4] = {-1, 0, 1, 0};
    const struct { int32_t facing, screenX, screenY; bool hit; } cases[] = {
        {0, 144, 177, true},  {0, 232, 255, true},  {0, 143, 200, false}, {0, 233, 200, false},
        {0, 188, 176, false}, {0, 188, 256, false}, {1, 177, 204, true},  {1, 255, 292, true},
        {1, 176, 248, false}, {1, 256, 248, false}, {1, 200, 203, false}, {1, 200, 293, false},
        {2, 144, 237, true},  {2, 232, 315, true},  {2, 143, 280, false}, {2, 233, 280, false},
        {2, 188, 236, false}, {2, 188, 316, false}, {3, 118, 204, true},  {3, 196, 292, true},
        {3, 117, 248, false}, {3, 197, 248, false}, {3, 150, 203, false}, {3, 150, 293, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "facing " << c.facing << " at " << c.screenX << ", " << c.screenY);
        ASSERT_NO_FATAL_FAILURE(arm());
        facing = c.facing;
        place(3, c.screenX, c.screenY);
        swing(1);
        // Every open slot costs a point, hit or not; a hit knocks back 100
        // along the facing.
        const EnemySlot& enemy = enemySlots[3];
        const int32_t dx = c.hit ? 100 * knockX[c.facing] : 0, dy = c.hit ? 100 * knockY[c.facing] : 0;
        EXPECT_EQ(std::tuple(stamina, enemy.hp, enemyHitTimer[3]), std::tuple(8992, c.hit ? 47 : 50, c.hit ? 30 : 0));
        EXPECT_EQ(std::tuple(enemy.x, enemy.y, enemy.prevX, enemy.prevY),
                  std::tuple(1000 + dx, 2000 + dy, dx ? 1000 : 0, dy ? 2000 : 0));
        for (int s = 0; s < enemySlotCount; ++s) EXPECT_TRUE(s == 3 || enemySlots[s].hp == 50) << "slot " << s;
    }
}

TEST_F(Sword, OneSwingCostsEightAFrameForThreeFramesAndStrikesOnce) {
    facing = 1;
    place(0, 200, 248);
    attack = 1;
    const int32_t expected[] = {9000, 8992, 8985, 8978, 8978};  // slot 0 immune from frame 2 on
    for (int32_t frame = 0; frame <= 4; ++frame) {
        swing(frame);
        EXPECT_EQ(stamina, expected[frame]) << "sword frame " << frame;
    }
    EXPECT_EQ(std::tuple(enemySlots[0].hp, enemySlots[0].x, enemyHitTimer[0]), std::tuple(49, 1100, 27));
}

// A sixth of the gauge, and a strike only when more than that is left, on
// every enemy that is not right of or below the screen, without knock-back:
// even slots stand just inside that reach, odd ones just outside.
TEST_F(Sword, AChargedBlowsPriceAndReach) {
    const struct { int32_t stamina, charge, swordFrame, staminaAfter; bool strikes; } cases[] = {
        {2000, 160, 0, 500, false},  {4000, 160, 0, 2500, true}, {3000, 160, 0, 1500, false},
        {3001, 160, 0, 1501, true},  {1500, 160, 0, 1500, false}, {4000, 200, 0, 2500, true},
        {4000, 159, 0, 4000, false}, {4000, 160, 4, 4000, false}};
    const int32_t where[8][2] = {{-58, 100}, {-59, 100}, {634, 100}, {635, 100},
                                 {100, -58}, {100, -59}, {100, 474}, {100, 475}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stamina << ", charge " << c.charge << ", sword frame " << c.swordFrame);
        ASSERT_NO_FATAL_FAILURE(arm());
        std::tie(stamina, chargeFrames) = std::tie(c.stamina, c.charge);
        for (int s = 0; s < enemySlotCount; ++s) place(s, where[s][0], where[s][1]);
        swing(c.swordFrame);
        EXPECT_EQ(stamina, c.staminaAfter);
        for (int s = 0; s < enemySlotCount; ++s) {
            const EnemySlot& enemy = enemySlots[s];
            const bool struck = c.strikes && s % 2 == 0;
            EXPECT_EQ(std::tuple(enemy.hp, enemyHitTimer[s], enemy.x, enemy.y, enemy.prevX),
                      std::tuple(struck ? 47 : 50, struck ? 30 : 0, 1000, 2000, 0)) << "slot " << s;
        }
    }
}

// The award halves for every level the player is above the enemy's and
// runs out at the width of the value; a hundred raises the level, but
// never past 99, where every kill leaves exp at 0. The slot is re-rolled.
TEST_F(Sword, AKillAwardsExperienceAndAHundredRaisesTheLevel) {
    const struct { int32_t expValue, expLevel, level, expBefore, levelAfter, expAfter; } cases[] = {
        {10, 2, 1, 0, 1, 10},       {10, 2, 2, 0, 2, 10},       {10, 2, 3, 0, 3, 5},        {10, 2, 4, 0, 4, 2},
        {10, 2, 6, 0, 6, 0},        {1 << 30, 1, 30, 0, 30, 2}, {1 << 30, 1, 31, 0, 31, 1}, {1 << 30, 1, 32, 0, 32, 0},
        {1 << 30, 1, 33, 0, 33, 0}, {1 << 30, 1, 65, 0, 65, 0}, {10, 2, 2, 95, 3, 0},       {10, 2, 2, 90, 3, 0},
        {10, 2, 2, 89, 2, 99},      {10, 200, 99, 0, 99, 0},    {10, 200, 99, 95, 99, 0},   {10, 200, 98, 95, 99, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.expValue << " at level " << c.level << " against " << c.expLevel
                                        << " with " << c.expBefore);
        ASSERT_NO_FATAL_FAILURE(arm());
        std::tie(level, exp, enemyHitTimer[1]) = std::tuple(c.level, c.expBefore, 30);
        EnemySlot& enemy = enemySlots[1];
        std::tie(enemy.expValue, enemy.expLevel, enemy.hp) = std::tuple(c.expValue, c.expLevel, 0);  // killed now
        playerAttack();
        const bool up = c.levelAfter > c.level;
        EXPECT_EQ(std::tuple(exp, level, levelUpNotice), std::tuple(c.expAfter, c.levelAfter, up ? 1 : 0));
        std::vector<int> expected{int(SoundEffect::Enemy)};
        if (up) expected.push_back(int(SoundEffect::LevelUp));
        EXPECT_EQ(sounds(), expected);
        // Re-rolled from area 40's roster, waiting inactive; the old prevX stays.
        EXPECT_EQ(std::tuple(enemy.kind, enemy.hp, enemy.expValue, enemy.speed, enemy.x, enemy.y, enemy.prevX),
                  std::tuple(0, 3, 10, 2, 200, 400, 0));
        EXPECT_EQ(std::tuple(enemy.active, enemyHitTimer[1]), std::tuple(0, 0));
    }
}

// Experience above 100 is lost.
TEST_F(Sword, LevelUpGainsTakeThreeDrawsInOrder) {
    const struct { uint32_t seed; int32_t attackGain, hpGain, staminaGain; } cases[] = {
        {3, 1, 18, 1000},    // draws 48, 7196, 9294
        {7, 2, 20, 2000},    // 61, 17422, 15215
        {42, 2, 10, 2000}};  // 175, 400, 17869
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed);
        std::tie(attack, maxHp, hp, maxStamina, stamina, level, exp) = std::tuple(4, 40, 31, 11000, 7000, 5, 130);
        seedRandom(c.seed);
        levelUp();
        EXPECT_EQ(std::tuple(attack, maxHp, hp, maxStamina, stamina, level, exp),
                  std::tuple(4 + c.attackGain, 40 + c.hpGain, 31 + c.hpGain, 11000 + c.staminaGain,
                             7000 + c.staminaGain, 6, 0));
    }
}

TEST_F(Sword, TheLastBlowOnTheBossEndsTheFight) {
    std::tie(areaId, bossAlive, bossHp, bossScreenX, bossScreenY, facing) = std::tuple(1, 1, 3, 200, 200, 1);
    swing(1);
    EXPECT_EQ(std::tuple(bossHp, bossAlive, scene), std::tuple(0, 0, 2));
    EXPECT_EQ(sounds(), std::vector<int>{int(SoundEffect::Boss)});
}

}  // namespace
