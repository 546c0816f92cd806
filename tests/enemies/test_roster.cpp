// The eight enemy slots as each area sets them up.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/game_state.h"
#include "enemies/roster.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// kind, power, hp, expValue, expLevel, speed, x, y of one slot.
struct Row {
    int32_t kind, power, hp, expValue, expLevel, speed, x, y;
};

struct AreaCase {
    int32_t area;
    Row rows[8];
};

// Every value below is for 1234 seconds of play, level 7 and attack 9.
void playAt1234() {
    playSeconds = 1234;
    level = 7;
    attack = 9;
}

void expectRow(int slot, const Row& row, int32_t area) {
    const EnemySlot& e = enemySlots[slot];
    SCOPED_TRACE(::testing::Message() << "area " << area << " slot " << slot);
    EXPECT_EQ(e.kind, row.kind);
    EXPECT_EQ(e.power, row.power);
    EXPECT_EQ(e.hp, row.hp);
    EXPECT_EQ(e.expValue, row.expValue);
    EXPECT_EQ(e.expLevel, row.expLevel);
    EXPECT_EQ(e.speed, row.speed);
    EXPECT_EQ(e.x, row.x);
    EXPECT_EQ(e.y, row.y);
    EXPECT_EQ(e.spare, 1);
    EXPECT_EQ(e.active, 1);
}

const AreaCase kAreas[] = {
    {40,
     {{3, 18, 44, 5, 15, 1, 900, 1000},
      {0, 18, 44, 10, 14, 2, 200, 400},
      {2, 26, 50, 20, 15, 3, 700, 800},
      {0, 18, 44, 10, 15, 2, 600, 400},
      {0, 18, 44, 10, 14, 2, 850, 250},
      {1, 18, 45, 10, 15, 1, 1000, 900},
      {1, 18, 45, 10, 14, 1, 300, 500},
      {1, 18, 45, 10, 15, 1, 700, 300}}},
    // Slot 0 of area 30 is worth its full award up to level 3 once set up.
    {30,
     {{0, 15, 36, 15, 3, 2, 200, 700},
      {0, 15, 36, 15, 18, 2, 200, 450},
      {1, 16, 35, 10, 18, 1, 300, 700},
      {0, 15, 36, 15, 17, 2, 600, 200},
      {0, 15, 36, 10, 17, 2, 800, 500},
      {3, 16, 37, 10, 18, 1, 500, 400},
      {2, 15, 34, 10, 18, 3, 700, 800},
      {1, 16, 35, 10, 19, 1, 700, 200}}},
    {31,
     {{0, 17, 39, 13, 17, 2, 200, 300},
      {0, 17, 39, 13, 18, 2, 200, 400},
      {1, 16, 38, 10, 17, 1, 300, 600},
      {3, 16, 37, 13, 18, 3, 600, 400},
      {3, 16, 37, 13, 18, 1, 900, 500},
      {1, 17, 38, 10, 18, 1, 200, 400},
      {3, 16, 37, 10, 19, 1, 450, 650},
      {3, 16, 38, 10, 19, 1, 900, 200}}},
    {32,
     {{0, 18, 40, 10, 17, 1, 200, 300},
      {0, 17, 43, 10, 17, 2, 200, 400},
      {1, 16, 40, 10, 17, 1, 300, 700},
      {2, 17, 38, 10, 17, 3, 600, 400},
      {0, 17, 43, 10, 17, 2, 850, 500},
      {1, 17, 43, 10, 16, 1, 555, 500},
      {1, 17, 43, 10, 17, 1, 500, 750},
      {3, 17, 43, 10, 16, 1, 200, 800}}},
    {20,
     {{0, 19, 42, 20, 19, 2, 200, 300},
      {0, 18, 47, 20, 20, 2, 200, 400},
      {2, 17, 40, 15, 19, 3, 300, 700},
      {0, 18, 47, 20, 19, 2, 300, 400},
      {0, 18, 47, 20, 19, 2, 450, 500},
      {1, 17, 42, 10, 19, 1, 300, 800},
      {1, 17, 43, 15, 19, 1, 500, 800},
      {3, 17, 46, 10, 19, 1, 400, 850}}},
    {10,
     {{0, 22, 58, 20, 26, 3, 200, 300},
      {2, 22, 43, 15, 26, 4, 200, 400},
      {2, 21, 48, 15, 26, 4, 300, 500},
      {0, 22, 58, 20, 26, 3, 600, 400},
      {0, 22, 58, 20, 26, 3, 400, 500},
      {1, 22, 53, 15, 26, 2, 300, 700},
      {1, 22, 53, 15, 26, 2, 450, 700},
      {1, 22, 53, 15, 26, 2, 500, 200}}},
    {11,
     {{5, 37, 270, 200, 49, 5, 600, 500},
      {4, 66, 150, 210, 53, 4, 650, 500},
      {4, 66, 150, 210, 53, 4, 750, 400},
      {5, 37, 270, 200, 53, 5, 1000, 250},
      {5, 37, 270, 200, 53, 5, 600, 550},
      {1, 36, 108, 25, 49, 2, 550, 500},
      {1, 36, 93, 25, 49, 2, 650, 350},
      {1, 36, 98, 45, 49, 2, 600, 400}}},
};

class RosterTable : public ::testing::TestWithParam<AreaCase> {};

TEST_P(RosterTable, AllSlotsSetUpFromTheAreasRows) {
    testing_support::freshHeadlessGame();
    playAt1234();
    const AreaCase& c = GetParam();
    setUpEnemies(c.area, 1, 0);
    for (int k = 0; k < 8; ++k) expectRow(k, c.rows[k], c.area);
}

INSTANTIATE_TEST_SUITE_P(Areas, RosterTable, ::testing::ValuesIn(kAreas),
                         [](const auto& info) { return "Area" + std::to_string(info.param.area); });

// Areas 22 and 12 use the rosters of areas 20 and 10.
TEST(Roster, StartOfTheGameStrengths) {
    testing_support::freshHeadlessGame();
    playSeconds = 0;
    level = 1;
    attack = 1;
    setUpEnemies(40, 1, 0);
    const int32_t power[8] = {1, 1, 2, 1, 1, 1, 1, 1};
    const int32_t hitPoints[8] = {3, 3, 1, 3, 3, 4, 4, 4};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(enemySlots[k].power, power[k]) << "slot " << k;
        EXPECT_EQ(enemySlots[k].hp, hitPoints[k]) << "slot " << k;
    }
    setUpEnemies(10, 1, 0);
    EXPECT_EQ(enemySlots[0].hp, 22);
    EXPECT_EQ(enemySlots[0].speed, 2);
    EXPECT_EQ(enemySlots[0].expLevel, 10);
}

// A replacement after a kill rolls only its own slot, but every slot's
// award level follows the current play time.
class RosterSingleSlot : public ::testing::TestWithParam<int32_t> {};

TEST_P(RosterSingleSlot, ChangesOnlyThatSlotButEveryAwardLevel) {
    testing_support::freshHeadlessGame();
    playSeconds = 0;
    level = 1;
    attack = 1;
    setUpEnemies(40, 1, 0);
    for (EnemySlot& e : enemySlots) {
        e.kind = 4;
        e.power = 99;
        e.hp = -3;
        e.expValue = 77;
        e.speed = 9;
        e.spare = 0;
        e.x = 11;
        e.y = 12;
        e.active = 0;
    }
    playAt1234();
    setUpEnemies(40, GetParam(), 3);
    const int32_t expLevel[8] = {15, 14, 15, 15, 14, 15, 14, 15};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(enemySlots[k].expLevel, expLevel[k]) << "slot " << k;
        if (k == 3) continue;
        const EnemySlot& e = enemySlots[k];
        EXPECT_EQ(e.kind, 4);
        EXPECT_EQ(e.power, 99);
        EXPECT_EQ(e.hp, -3);
        EXPECT_EQ(e.expValue, 77);
        EXPECT_EQ(e.speed, 9);
        EXPECT_EQ(e.spare, 0);
        EXPECT_EQ(e.x, 11);
        EXPECT_EQ(e.y, 12);
        EXPECT_EQ(e.active, 0);
    }
    expectRow(3, {0, 18, 44, 10, 15, 2, 600, 400}, 40);
}

INSTANTIATE_TEST_SUITE_P(AnyAllOtherThanOne, RosterSingleSlot, ::testing::Values(0, 2, -1));

TEST(Roster, Area30FirstSlotAwardLevel) {
    testing_support::freshHeadlessGame();
    playAt1234();
    setUpEnemies(30, 1, 0);
    EXPECT_EQ(enemySlots[0].expLevel, 3);
    setUpEnemies(30, 0, 5);
    EXPECT_EQ(enemySlots[0].expLevel, 17);
    EXPECT_EQ(enemySlots[5].expLevel, 18);
    setUpEnemies(30, 0, 0);
    EXPECT_EQ(enemySlots[0].expLevel, 3);
    EXPECT_EQ(enemySlots[1].expLevel, 18);
}


}  // namespace
