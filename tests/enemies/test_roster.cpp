// The eight enemy slots as each area sets them up.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/game_state.h"
#include "enemies/roster.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// kind, power, hp, expValue, expLevel, speed, x, y of one slot.
using Row = std::array<int32_t, 8>;

struct AreaCase {
    int32_t area, twin;  // the twin area uses the same roster
    int32_t seconds, level, attack;
    Row rows[8];
};

Row rowOf(const EnemySlot& e) { return {e.kind, e.power, e.hp, e.expValue, e.expLevel, e.speed, e.x, e.y}; }

// A fresh game at `seconds` of play, level `lvl` and attack `att`.
void freshGameAt(int32_t seconds, int32_t lvl, int32_t att) {
    testing_support::freshHeadlessGame();
    playSeconds = seconds, level = lvl, attack = att;
}

// Most values below are for 1234 seconds of play, level 7 and attack 9.
const AreaCase kAreas[] = {
    {40, 0, 1234, 7, 9,
     {{3, 18, 44, 5, 15, 1, 900, 1000}, {0, 18, 44, 10, 14, 2, 200, 400}, {2, 26, 50, 20, 15, 3, 700, 800},
      {0, 18, 44, 10, 15, 2, 600, 400}, {0, 18, 44, 10, 14, 2, 850, 250}, {1, 18, 45, 10, 15, 1, 1000, 900},
      {1, 18, 45, 10, 14, 1, 300, 500}, {1, 18, 45, 10, 15, 1, 700, 300}}},
    // Slot 0 of area 30 is worth its full award up to level 3 once set up.
    {30, 0, 1234, 7, 9,
     {{0, 15, 36, 15, 3, 2, 200, 700}, {0, 15, 36, 15, 18, 2, 200, 450}, {1, 16, 35, 10, 18, 1, 300, 700},
      {0, 15, 36, 15, 17, 2, 600, 200}, {0, 15, 36, 10, 17, 2, 800, 500}, {3, 16, 37, 10, 18, 1, 500, 400},
      {2, 15, 34, 10, 18, 3, 700, 800}, {1, 16, 35, 10, 19, 1, 700, 200}}},
    {31, 0, 1234, 7, 9,
     {{0, 17, 39, 13, 17, 2, 200, 300}, {0, 17, 39, 13, 18, 2, 200, 400}, {1, 16, 38, 10, 17, 1, 300, 600},
      {3, 16, 37, 13, 18, 3, 600, 400}, {3, 16, 37, 13, 18, 1, 900, 500}, {1, 17, 38, 10, 18, 1, 200, 400},
      {3, 16, 37, 10, 19, 1, 450, 650}, {3, 16, 38, 10, 19, 1, 900, 200}}},
    {32, 0, 1234, 7, 9,
     {{0, 18, 40, 10, 17, 1, 200, 300}, {0, 17, 43, 10, 17, 2, 200, 400}, {1, 16, 40, 10, 17, 1, 300, 700},
      {2, 17, 38, 10, 17, 3, 600, 400}, {0, 17, 43, 10, 17, 2, 850, 500}, {1, 17, 43, 10, 16, 1, 555, 500},
      {1, 17, 43, 10, 17, 1, 500, 750}, {3, 17, 43, 10, 16, 1, 200, 800}}},
    {20, 22, 1234, 7, 9,
     {{0, 19, 42, 20, 19, 2, 200, 300}, {0, 18, 47, 20, 20, 2, 200, 400}, {2, 17, 40, 15, 19, 3, 300, 700},
      {0, 18, 47, 20, 19, 2, 300, 400}, {0, 18, 47, 20, 19, 2, 450, 500}, {1, 17, 42, 10, 19, 1, 300, 800},
      {1, 17, 43, 15, 19, 1, 500, 800}, {3, 17, 46, 10, 19, 1, 400, 850}}},
    {10, 12, 1234, 7, 9,
     {{0, 22, 58, 20, 26, 3, 200, 300}, {2, 22, 43, 15, 26, 4, 200, 400}, {2, 21, 48, 15, 26, 4, 300, 500},
      {0, 22, 58, 20, 26, 3, 600, 400}, {0, 22, 58, 20, 26, 3, 400, 500}, {1, 22, 53, 15, 26, 2, 300, 700},
      {1, 22, 53, 15, 26, 2, 450, 700}, {1, 22, 53, 15, 26, 2, 500, 200}}},
    {11, 0, 1234, 7, 9,
     {{5, 37, 270, 200, 49, 5, 600, 500}, {4, 66, 150, 210, 53, 4, 650, 500}, {4, 66, 150, 210, 53, 4, 750, 400},
      {5, 37, 270, 200, 53, 5, 1000, 250}, {5, 37, 270, 200, 53, 5, 600, 550}, {1, 36, 108, 25, 49, 2, 550, 500},
      {1, 36, 93, 25, 49, 2, 650, 350}, {1, 36, 98, 45, 49, 2, 600, 400}}},
    // The start of a game: 0 seconds, level 1, attack 1.
    {40, 0, 0, 1, 1,
     {{3, 1, 3, 5, 3, 1, 900, 1000}, {0, 1, 3, 10, 2, 2, 200, 400}, {2, 2, 1, 20, 3, 3, 700, 800},
      {0, 1, 3, 10, 3, 2, 600, 400}, {0, 1, 3, 10, 2, 2, 850, 250}, {1, 1, 4, 10, 3, 1, 1000, 900},
      {1, 1, 4, 10, 2, 1, 300, 500}, {1, 1, 4, 10, 3, 1, 700, 300}}},
    {10, 12, 0, 1, 1,
     {{0, 4, 22, 20, 10, 2, 200, 300}, {2, 4, 7, 15, 10, 3, 200, 400}, {2, 3, 12, 15, 10, 3, 300, 500},
      {0, 4, 22, 20, 10, 2, 600, 400}, {0, 4, 22, 20, 10, 2, 400, 500}, {1, 4, 17, 15, 10, 1, 300, 700},
      {1, 4, 17, 15, 10, 1, 450, 700}, {1, 4, 17, 15, 10, 1, 500, 200}}},
};

void PrintTo(const AreaCase& c, std::ostream* out) { *out << "area " << c.area << " at " << c.seconds << " s"; }

class RosterTable : public ::testing::TestWithParam<AreaCase> {};

TEST_P(RosterTable, AllSlotsSetUpFromTheAreasRows) {
    const AreaCase& c = GetParam();
    for (const int32_t area : {c.area, c.twin}) {
        if (area == 0) continue;
        freshGameAt(c.seconds, c.level, c.attack);
        setUpEnemies(area, 1, 0);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(rowOf(enemySlots[k]), c.rows[k]) << "area " << area << ", slot " << k;
            EXPECT_EQ(std::pair(enemySlots[k].spare, enemySlots[k].active), std::pair(1, 1)) << "slot " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Areas, RosterTable, ::testing::ValuesIn(kAreas), [](const auto& info) {
    return "Area" + std::to_string(info.param.area) + "At" + std::to_string(info.param.seconds) + "s";
});

// A replacement after a kill rolls only its own slot, but every slot's
// award level follows the current play time.
TEST(Roster, OneSlotChangesOnlyThatSlotButEveryAwardLevel) {
    for (const int32_t all : {0, 2, -1}) {  // anything but 1
        freshGameAt(0, 1, 1);
        setUpEnemies(40, 1, 0);
        for (EnemySlot& e : enemySlots) e = EnemySlot{4, 99, -3, 77, 0, 9, 0, 11, 0, 12, 0, 0};  // spare 0, inactive
        playSeconds = 1234, level = 7, attack = 9;
        setUpEnemies(40, all, 3);
        const int32_t expLevel[8] = {15, 14, 15, 15, 14, 15, 14, 15};
        for (int k = 0; k < 8; ++k) {
            const EnemySlot& e = enemySlots[k];
            EXPECT_EQ(e.expLevel, expLevel[k]) << "all " << all << ", slot " << k;
            if (k == 3) continue;
            EXPECT_EQ(rowOf(e), (Row{4, 99, -3, 77, expLevel[k], 9, 11, 12})) << "all " << all << ", slot " << k;
            EXPECT_EQ(std::pair(e.spare, e.active), std::pair(0, 0)) << "all " << all << ", slot " << k;
        }
        EXPECT_EQ(rowOf(enemySlots[3]), (Row{0, 18, 44, 10, 15, 2, 600, 400})) << "all " << all;
        EXPECT_EQ(std::pair(enemySlots[3].spare, enemySlots[3].active), std::pair(1, 1)) << "all " << all;
    }
}

TEST(Roster, Area30FirstSlotAwardLevel) {
    freshGameAt(1234, 7, 9);
    setUpEnemies(30, 1, 0);  // slot 0 at 3, as the table shows
    setUpEnemies(30, 0, 5);
    EXPECT_EQ(std::pair(enemySlots[0].expLevel, enemySlots[5].expLevel), std::pair(17, 18));
    setUpEnemies(30, 0, 0);
    EXPECT_EQ(std::pair(enemySlots[0].expLevel, enemySlots[1].expLevel), std::pair(3, 18));
}

}  // namespace
