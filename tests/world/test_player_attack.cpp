// The sword against the enemies and the boss: reach, price, kills, awards
// and the gains of a new level.
#include <gtest/gtest.h>

#include <ostream>
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

// The player's sprite stands at screen (188, 248): the view has stopped
// 100 pixels short of the map's left edge and 40 above its bottom.
constexpr int32_t offsetX = -100;
constexpr int32_t offsetY = 40;

class Sword : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        areaId = 40;
        playerOffsetX = offsetX;
        playerOffsetY = offsetY;
        attack = 3;
        level = 1;
        exp = 0;
        maxHp = hp = 15;
        maxStamina = stamina = 9000;
        // Every enemy alive and well out of reach, in the top right corner.
        for (int s = 0; s < enemySlotCount; ++s) {
            EnemySlot& enemy = enemySlots[s];
            enemy.active = 1;
            enemy.hp = 50;
            enemy.expValue = 10;
            enemy.expLevel = 2;
            enemy.x = 1000;
            enemy.y = 2000;
            enemy.prevX = enemy.prevY = 0;
            enemyScreenX[s] = 600;
            enemyScreenY[s] = 20;
            enemyHitTimer[s] = 0;
        }
    }
    void place(int s, int32_t screenX, int32_t screenY) {
        enemyScreenX[s] = screenX;
        enemyScreenY[s] = screenY;
    }
    void swing(int32_t frame) {
        swordFrames = frame;
        playerAttack();
    }
    void releaseCharge() {
        chargeFrames = 160;
        swordFrames = 0;
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

struct BoxCase {
    const char* what;
    int32_t facing, screenX, screenY;
    bool hit;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.what; }

// Knock-back of each facing: up, right, down, left.
constexpr int32_t knockX[4] = {0, 1, 0, -1};
constexpr int32_t knockY[4] = {-1, 0, 1, 0};

class SwordSwingBox : public Sword, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(SwordSwingBox, HitsStrictlyInsideTheBoxOfTheFacing) {
    const BoxCase& c = GetParam();
    facing = c.facing;
    place(3, c.screenX, c.screenY);
    swing(1);
    const EnemySlot& enemy = enemySlots[3];
    EXPECT_EQ(stamina, 8992) << c.what << ": every open slot costs a point, hit or not";
    EXPECT_EQ(enemy.hp, c.hit ? 47 : 50) << c.what;
    EXPECT_EQ(enemyHitTimer[3], c.hit ? 30 : 0) << c.what;
    EXPECT_EQ(enemy.x, 1000 + (c.hit ? 100 * knockX[c.facing] : 0)) << c.what;
    EXPECT_EQ(enemy.y, 2000 + (c.hit ? 100 * knockY[c.facing] : 0)) << c.what;
    EXPECT_EQ(enemy.prevX, c.hit && knockX[c.facing] ? 1000 : 0) << c.what;
    EXPECT_EQ(enemy.prevY, c.hit && knockY[c.facing] ? 2000 : 0) << c.what;
    for (int s = 0; s < enemySlotCount; ++s) {
        if (s != 3) {
            EXPECT_EQ(enemySlots[s].hp, 50) << c.what << ", slot " << s;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SwordSwingBox,
    ::testing::Values(
        // up: x 143 < EX < 233, y 176 < EY < 256
        BoxCase{"up, top-left corner inside", 0, 144, 177, true}, BoxCase{"up, bottom-right corner inside", 0, 232, 255, true},
        BoxCase{"up, left edge", 0, 143, 200, false}, BoxCase{"up, right edge", 0, 233, 200, false},
        BoxCase{"up, top edge", 0, 188, 176, false}, BoxCase{"up, bottom edge", 0, 188, 256, false},
        // right: x 176 < EX < 256, y 203 < EY < 293
        BoxCase{"right, top-left corner inside", 1, 177, 204, true}, BoxCase{"right, bottom-right corner inside", 1, 255, 292, true},
        BoxCase{"right, left edge", 1, 176, 248, false}, BoxCase{"right, right edge", 1, 256, 248, false},
        BoxCase{"right, top edge", 1, 200, 203, false}, BoxCase{"right, bottom edge", 1, 200, 293, false},
        // down: x 143 < EX < 233, y 236 < EY < 316
        BoxCase{"down, top-left corner inside", 2, 144, 237, true}, BoxCase{"down, bottom-right corner inside", 2, 232, 315, true},
        BoxCase{"down, left edge", 2, 143, 280, false}, BoxCase{"down, right edge", 2, 233, 280, false},
        BoxCase{"down, top edge", 2, 188, 236, false}, BoxCase{"down, bottom edge", 2, 188, 316, false},
        // left: x 117 < EX < 197, y 203 < EY < 293
        BoxCase{"left, top-left corner inside", 3, 118, 204, true}, BoxCase{"left, bottom-right corner inside", 3, 196, 292, true},
        BoxCase{"left, left edge", 3, 117, 248, false}, BoxCase{"left, right edge", 3, 197, 248, false},
        BoxCase{"left, top edge", 3, 150, 203, false}, BoxCase{"left, bottom edge", 3, 150, 293, false}));

TEST_F(Sword, OneSwingCostsEightAFrameForThreeFramesAndStrikesOnce) {
    facing = 1;
    place(0, 200, 248);
    attack = 1;
    const int32_t expected[] = {9000, 8992, 8985, 8978, 8978};  // slot 0 immune from frame 2 on
    for (int32_t frame = 0; frame <= 4; ++frame) {
        swing(frame);
        EXPECT_EQ(stamina, expected[frame]) << "sword frame " << frame;
    }
    EXPECT_EQ(enemySlots[0].hp, 49);
    EXPECT_EQ(enemySlots[0].x, 1100);
    EXPECT_EQ(enemyHitTimer[0], 27);
}

TEST_F(Sword, AMissedSwingCostsTwentyFour) {
    for (int32_t frame = 1; frame <= 3; ++frame) swing(frame);
    EXPECT_EQ(stamina, 8976);
}

struct PriceCase {
    int32_t stamina, charge, swordFrame, staminaAfter;
    bool strikes;
};

void PrintTo(const PriceCase& c, std::ostream* os) {
    *os << "stamina " << c.stamina << ", charge " << c.charge << ", sword frame " << c.swordFrame;
}

class ChargedBlowPrice : public Sword, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(ChargedBlowPrice, CostsASixthAndStrikesOnlyWhenMoreThanThatIsLeft) {
    const PriceCase& c = GetParam();
    stamina = c.stamina;
    place(0, 300, 300);
    chargeFrames = c.charge;
    swing(c.swordFrame);
    EXPECT_EQ(stamina, c.staminaAfter) << "stamina " << c.stamina;
    EXPECT_EQ(enemySlots[0].hp, c.strikes ? 47 : 50) << "stamina " << c.stamina;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChargedBlowPrice,
    ::testing::Values(PriceCase{2000, 160, 0, 500, false}, PriceCase{4000, 160, 0, 2500, true},
                      PriceCase{3000, 160, 0, 1500, false}, PriceCase{3001, 160, 0, 1501, true},
                      PriceCase{1500, 160, 0, 1500, false}, PriceCase{4000, 200, 0, 2500, true},
                      PriceCase{4000, 159, 0, 4000, false}, PriceCase{4000, 160, 4, 4000, false}));

class ChargedBlow : public Sword {};

TEST_F(ChargedBlow, ReachesEveryEnemyNotRightOfOrBelowTheScreen) {
    stamina = 4000;
    attack = 2;
    const int32_t where[8][2] = {{-58, 100}, {-59, 100}, {634, 100}, {635, 100},
                                 {100, -58}, {100, -59}, {100, 474}, {100, 475}};
    const bool struck[8] = {true, false, true, false, true, false, true, false};
    for (int s = 0; s < enemySlotCount; ++s) place(s, where[s][0], where[s][1]);
    releaseCharge();
    EXPECT_EQ(stamina, 2500);
    for (int s = 0; s < enemySlotCount; ++s) {
        EXPECT_EQ(enemySlots[s].hp, struck[s] ? 48 : 50) << "slot " << s;
        EXPECT_EQ(enemyHitTimer[s], struck[s] ? 30 : 0) << "slot " << s;
        EXPECT_EQ(enemySlots[s].x, 1000) << "no knock-back, slot " << s;
        EXPECT_EQ(enemySlots[s].y, 2000) << "no knock-back, slot " << s;
        EXPECT_EQ(enemySlots[s].prevX, 0) << "slot " << s;
    }
}

struct AwardCase {
    int32_t expValue, expLevel, level, award;
};

void PrintTo(const AwardCase& c, std::ostream* os) {
    *os << c.expValue << " at level " << c.expLevel << " for level " << c.level;
}

class KillAward : public Sword, public ::testing::WithParamInterface<AwardCase> {};

TEST_P(KillAward, HalvesForEveryLevelAboveTheEnemysAndRunsOutAtTheWidth) {
    const AwardCase& c = GetParam();
    level = c.level;
    enemySlots[4].expValue = c.expValue;
    enemySlots[4].expLevel = c.expLevel;
    enemySlots[4].hp = 0;  // killed in this frame's step
    playerAttack();
    EXPECT_EQ(exp, c.award) << "level " << c.level << " against " << c.expLevel;
    EXPECT_EQ(level, c.level);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KillAward,
    ::testing::Values(AwardCase{10, 2, 1, 10}, AwardCase{10, 2, 2, 10}, AwardCase{10, 2, 3, 5},
                      AwardCase{10, 2, 4, 2}, AwardCase{10, 2, 6, 0},
                      AwardCase{1 << 30, 1, 30, 2},   // 29 levels above
                      AwardCase{1 << 30, 1, 31, 1},   // 30 levels above
                      AwardCase{1 << 30, 1, 32, 0},   // 31
                      AwardCase{1 << 30, 1, 33, 0},   // 32: the whole width
                      AwardCase{1 << 30, 1, 65, 0}));  // 64

TEST_F(Sword, AKillPlaysTheEnemySoundAndLeavesAnInactiveReplacement) {
    facing = 1;
    place(1, 200, 248);
    enemySlots[1].hp = 3;
    swing(1);
    EXPECT_EQ(sounds(), std::vector<int>{int(SoundEffect::Enemy)});
    EXPECT_EQ(exp, 10);
    EXPECT_EQ(enemyHitTimer[1], 0);
    const EnemySlot& fresh = enemySlots[1];
    EXPECT_EQ(fresh.kind, 0);
    EXPECT_EQ(fresh.hp, 3);
    EXPECT_EQ(fresh.expValue, 10);
    EXPECT_EQ(fresh.speed, 2);
    EXPECT_EQ(fresh.x, 200);
    EXPECT_EQ(fresh.y, 400);
    EXPECT_EQ(fresh.prevX, 1000) << "the knock-back's previous position stays";
    EXPECT_EQ(fresh.active, 0);
}

TEST_F(Sword, HundredExperienceRaisesTheLevelWithRandomGains) {
    level = 2;
    exp = 95;
    attack = 3;
    facing = 1;
    place(0, 200, 248);
    enemySlots[0].hp = 3;
    seedRandom(1);  // draws 41, 18467, 6334: attack +2, hit points +12, stamina +1000
    swing(1);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(exp, 0);
    EXPECT_EQ(attack, 5);
    EXPECT_EQ(maxHp, 27);
    EXPECT_EQ(hp, 27);
    EXPECT_EQ(maxStamina, 10000);
    EXPECT_EQ(stamina, 9992);
    EXPECT_EQ(levelUpNotice, 1);
    EXPECT_EQ(sounds(), (std::vector<int>{int(SoundEffect::Enemy), int(SoundEffect::LevelUp)}));
}

struct TopLevelCase {
    int32_t levelBefore, expBefore, levelAfter;
};

class KillAtTheTop : public Sword, public ::testing::WithParamInterface<TopLevelCase> {};

TEST_P(KillAtTheTop, NeverRaisesTheLevelPastNinetyNine) {
    const TopLevelCase& c = GetParam();
    level = c.levelBefore;
    exp = c.expBefore;
    enemySlots[0].expLevel = 200;  // the full award of 10
    enemySlots[0].hp = 0;
    playerAttack();
    EXPECT_EQ(level, c.levelAfter) << "from level " << c.levelBefore << " with " << c.expBefore;
    EXPECT_EQ(exp, 0) << "from level " << c.levelBefore << " with " << c.expBefore;
}

INSTANTIATE_TEST_SUITE_P(Cases, KillAtTheTop,
                         ::testing::Values(TopLevelCase{99, 0, 99}, TopLevelCase{99, 95, 99},
                                           TopLevelCase{98, 95, 99}));

struct GainCase {
    uint32_t seed;  // its first three draws in the comment
    int32_t attackGain, hpGain, staminaGain;
};

class LevelUpGains : public Sword, public ::testing::WithParamInterface<GainCase> {};

TEST_P(LevelUpGains, TakeThreeDrawsInOrder) {
    const GainCase& c = GetParam();
    attack = 4;
    maxHp = 40;
    hp = 31;
    maxStamina = 11000;
    stamina = 7000;
    level = 5;
    exp = 130;
    seedRandom(c.seed);
    levelUp();
    EXPECT_EQ(attack, 4 + c.attackGain) << "seed " << c.seed;
    EXPECT_EQ(maxHp, 40 + c.hpGain) << "seed " << c.seed;
    EXPECT_EQ(hp, 31 + c.hpGain) << "seed " << c.seed;
    EXPECT_EQ(maxStamina, 11000 + c.staminaGain) << "seed " << c.seed;
    EXPECT_EQ(stamina, 7000 + c.staminaGain) << "seed " << c.seed;
    EXPECT_EQ(level, 6);
    EXPECT_EQ(exp, 0) << "experience above 100 is lost";
}

INSTANTIATE_TEST_SUITE_P(Seeds, LevelUpGains,
                         ::testing::Values(GainCase{1, 2, 12, 1000},    // 41, 18467, 6334
                                           GainCase{3, 1, 18, 1000},    // 48, 7196, 9294
                                           GainCase{7, 2, 20, 2000},    // 61, 17422, 15215
                                           GainCase{42, 2, 10, 2000}));  // 175, 400, 17869

class SwordBoss : public Sword {
protected:
    void SetUp() override {
        Sword::SetUp();
        areaId = 1;
        bossAlive = 1;
        bossHp = 10;
        bossX = 500;
        bossY = 600;
        bossPrevX = bossPrevY = 0;
    }
};


TEST_F(SwordBoss, TheLastBlowEndsTheFight) {
    facing = 1;
    bossScreenX = 200;
    bossScreenY = 200;
    bossHp = 3;
    swing(1);
    EXPECT_EQ(bossHp, 0);
    EXPECT_EQ(bossAlive, 0);
    EXPECT_EQ(scene, 2);
    EXPECT_EQ(sounds(), std::vector<int>{int(SoundEffect::Boss)});
}

}  // namespace
