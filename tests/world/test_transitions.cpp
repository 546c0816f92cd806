// Area changes: the two palette fades, the frames of a change from the
// title into area 40, and the installing of each area with the player's
// arrival position.
#include <gtest/gtest.h>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "display/display.h"
#include "display/palette.h"
#include "enemies/roster.h"
#include "support/headless_game.h"
#include "world/area_maps.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

class Fades : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        ASSERT_TRUE(gamePalette);
    }
    static Palette& palette() { return *gamePalette; }
};

TEST_F(Fades, MultiplesOfEightGoBlackAndComeBackExactly) {
    Palette original{};
    for (int i = 0; i < 256; ++i) {
        original[i] = {uint8_t(i * 8), uint8_t(248 - (i % 32) * 8), uint8_t(i * 24), uint8_t(i)};
        paletteCopy[i] = original[i];
    }
    palette() = original;
    fadingOut = 1;
    for (int step = 1; step <= 31; ++step) {
        fadeOutStep();
        ASSERT_EQ(fadeLevel, 8 * step);
        ASSERT_EQ(fadingOut, 1);
        ASSERT_EQ(fadingIn, 0);
        if (step == 1) {
            EXPECT_EQ(palette()[0].red, 0) << "a 0 byte stays 0";
            EXPECT_EQ(palette()[1].red, 0);
            EXPECT_EQ(palette()[2].red, 8);
            EXPECT_EQ(palette()[0].green, 240);
        }
        if (step == 30) {
            EXPECT_EQ(palette()[0].green, 8);
            EXPECT_EQ(palette()[31].red, 8);
        }
    }
    EXPECT_EQ(palette()[31].red, 0) << "248 is black after 31 steps";
    fadeOutStep();
    EXPECT_EQ(fadeLevel, 0);
    EXPECT_EQ(fadingOut, 0);
    EXPECT_EQ(fadingIn, 1);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(palette()[i], (PaletteEntry{0, 0, 0, uint8_t(i)})) << "entry " << i << ": black, flag kept";
    }
    for (int step = 1; step <= 31; ++step) {
        fadeInStep();
        ASSERT_EQ(fadeInLevel, 8 * step);
        ASSERT_EQ(fadingIn, 1);
    }
    EXPECT_EQ(palette()[2].red, 16);
    EXPECT_EQ(palette()[31].red, 248);
    fadeInStep();
    EXPECT_EQ(fadeInLevel, 0);
    EXPECT_EQ(fadingIn, 0);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(palette()[i], original[i]) << "entry " << i;
}

// The title menu starts a change into area 40: fadingOut 1 in scene 0.
TEST(AreaChange, RunsFromTheTitleIntoArea40InSixtyThreeFrames) {
    testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    ASSERT_TRUE(gamePalette);
    const Palette before = *gamePalette;
    for (int i = 0; i < 256; ++i) ASSERT_EQ(before[i], paletteCopy[i]);
    fadingOut = 1;
    for (EnemySlot& enemy : enemySlots) enemy.spare = 0;

    for (int frame = 1; frame <= 29; ++frame) runFrame();
    EXPECT_EQ(fadeLevel, 232);
    EXPECT_EQ(scene, 0);
    EXPECT_EQ(fadingOut, 1);

    runFrame();  // 30
    EXPECT_EQ(fadeLevel, 240);
    EXPECT_EQ(scene, 1);
    EXPECT_EQ(mapCols, 21);
    EXPECT_EQ(mapRows, 18);
    EXPECT_EQ(playerX, -224);
    EXPECT_EQ(playerY, 814);
    EXPECT_EQ(quakeFrames, 0);

    runFrame();  // 31
    EXPECT_EQ(fadeLevel, 248);
    EXPECT_EQ(fadingOut, 1);
    EXPECT_EQ(fadingIn, 0);
    for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.spare, 0) << "not yet set up";

    runFrame();  // 32
    EXPECT_EQ(fadeLevel, 0);
    EXPECT_EQ(fadingOut, 0);
    EXPECT_EQ(fadingIn, 1);
    EXPECT_EQ(fadeInLevel, 8);
    for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.spare, 1) << "set up as the fade-out ends";

    for (int frame = 33; frame <= 62; ++frame) runFrame();
    EXPECT_EQ(fadeInLevel, 248);
    EXPECT_EQ(fadingIn, 1);

    runFrame();  // 63
    EXPECT_EQ(fadeInLevel, 0);
    EXPECT_EQ(fadingIn, 0);
    EXPECT_EQ(scene, 1);
    for (int i = 0; i < 256; ++i) EXPECT_EQ((*gamePalette)[i], before[i]) << "entry " << i;
}

struct Arrival {
    const char* what;
    int area, side, falls, variant;
    int cols, rows, x, y, quake;
    int row, col;  // a cell that tells the layout apart
    int16_t code;
};

class LoadArea : public ::testing::TestWithParam<Arrival> {};

TEST_P(LoadArea, InstallsTheAreaAndPlacesThePlayer) {
    const Arrival& a = GetParam();
    testing_support::freshHeadlessGame();
    for (auto& row : areaMap) row.fill(9);
    areaId = a.area;
    entrySide = a.side;
    fallCount = a.falls;
    mapVariant = a.variant;
    playerX = 1000;
    playerY = 500;
    fadeLevel = 240;
    loadArea();
    EXPECT_EQ(mapCols, a.cols) << a.what;
    EXPECT_EQ(mapRows, a.rows) << a.what;
    EXPECT_EQ(playerX, a.x) << a.what;
    EXPECT_EQ(playerY, a.y) << a.what;
    EXPECT_EQ(quakeFrames, a.quake) << a.what;
    EXPECT_EQ(areaMap[a.row][a.col], a.code) << a.what;
    EXPECT_NE(areaMap[a.rows - 1][a.cols - 1], 9) << a.what << ": the whole layout is copied";
    if (a.cols < 21) {
        EXPECT_EQ(areaMap[0][20], 9) << a.what;
    }
    if (a.rows < 18) {
        EXPECT_EQ(areaMap[17][0], 9) << a.what;
    }
    EXPECT_EQ(scene, 1) << a.what;
    EXPECT_EQ(areaId, a.area) << a.what;
}

// The player starts at view origin (1000, 500).
INSTANTIATE_TEST_SUITE_P(
    EveryAreaAndSide, LoadArea,
    ::testing::Values(
        Arrival{"1 from below", 1, 1, 0, 0, 12, 12, 744, 432, 0, 1, 1, 6},
        Arrival{"1 any side", 1, 0, 0, 0, 12, 12, 744, 432, 0, 0, 0, 5},
        Arrival{"10 from below", 10, 1, 0, 0, 15, 15, 1000, 688, 0, 13, 14, 3},
        Arrival{"10 from the right", 10, 3, 0, 0, 15, 15, 608, 500, 0, 13, 14, 3},
        Arrival{"10 from the top: no place", 10, 2, 0, 0, 15, 15, 1000, 500, 0, 13, 14, 3},
        Arrival{"10 after three falls, variant 1", 10, 1, 3, 1, 15, 15, 1000, 688, 0, 13, 14, 4},
        Arrival{"10 after three falls, variant 0", 10, 1, 3, 0, 15, 15, 1000, 688, 0, 13, 14, 3},
        Arrival{"10 after two falls, variant 1", 10, 1, 2, 1, 15, 15, 1000, 688, 0, 13, 14, 3},
        Arrival{"11 from the top", 11, 2, 0, 0, 21, 18, 1256, -208, 0, 0, 9, 6},
        Arrival{"11 from the right", 11, 3, 0, 0, 21, 18, 992, 500, 0, 0, 9, 6},
        Arrival{"11 from the left", 11, 4, 0, 0, 21, 18, -288, 500, 0, 0, 9, 6},
        Arrival{"11 from below: no place", 11, 1, 0, 0, 21, 18, 1000, 500, 0, 0, 9, 6},
        Arrival{"12 from below", 12, 1, 0, 0, 15, 15, 1000, 688, 0, 7, 0, 5},
        Arrival{"12 from the left", 12, 4, 0, 0, 15, 15, -288, 500, 0, 7, 0, 5},
        Arrival{"12 from the right: no place", 12, 3, 0, 0, 15, 15, 1000, 500, 0, 7, 0, 5},
        Arrival{"12 after three falls, variant 0", 12, 1, 3, 0, 15, 15, 1000, 688, 0, 7, 0, 6},
        Arrival{"12 after three falls, variant 1", 12, 1, 3, 1, 15, 15, 1000, 688, 0, 7, 0, 5},
        Arrival{"12 after two falls, variant 0", 12, 1, 2, 0, 15, 15, 1000, 688, 0, 7, 0, 5},
        Arrival{"20 from below", 20, 1, 0, 0, 11, 17, 1000, 816, 0, 9, 10, 4},
        Arrival{"20 from the top", 20, 2, 0, 0, 11, 17, 1000, -208, 0, 9, 10, 4},
        Arrival{"20 from the left: no place", 20, 4, 0, 0, 11, 17, 1000, 500, 0, 9, 10, 4},
        Arrival{"22 from below", 22, 1, 0, 0, 11, 17, 872, 816, 0, 0, 4, 5},
        Arrival{"22 from the top", 22, 2, 0, 0, 11, 17, 1000, -208, 0, 0, 4, 5},
        Arrival{"22 from the right: no place", 22, 3, 0, 0, 11, 17, 1000, 500, 0, 0, 4, 5},
        Arrival{"30 from the top", 30, 2, 2, 0, 15, 15, 1000, -208, 0, 0, 4, 4},
        Arrival{"30 from the right, never fallen", 30, 3, 0, 0, 15, 15, 608, 500, 0, 0, 4, 4},
        Arrival{"30 by the first fall", 30, 0, 1, 0, 15, 15, 1000, 500, 0, 0, 4, 3},
        Arrival{"30 from the top after one fall", 30, 2, 1, 1, 15, 15, 1000, -208, 0, 0, 5, 3},
        Arrival{"31 from the right", 31, 3, 0, 0, 17, 11, 736, 500, 0, 4, 0, 4},
        Arrival{"31 from the left", 31, 4, 0, 0, 17, 11, -288, 500, 0, 4, 0, 4},
        Arrival{"31 from the top: no place", 31, 2, 0, 0, 17, 11, 1000, 500, 0, 4, 0, 4},
        Arrival{"32 from the top", 32, 2, 0, 0, 15, 15, 1128, -208, 0, 0, 7, 4},
        Arrival{"32 from the left", 32, 4, 0, 0, 15, 15, -288, 500, 0, 0, 7, 4},
        Arrival{"32 from below: no place", 32, 1, 0, 0, 15, 15, 1000, 500, 0, 0, 7, 4},
        Arrival{"40 up from the cave", 40, 0, 1, 0, 21, 18, 864, 48, 100, 3, 18, 7},
        Arrival{"40 up from the cave, third fall", 40, 0, 3, 1, 21, 18, 864, 48, 100, 3, 18, 7},
        Arrival{"40 at the start", 40, 0, 0, 0, 21, 18, -224, 814, 0, 3, 18, 7},
        Arrival{"40 through an edge: no place", 40, 2, 1, 0, 21, 18, 1000, 500, 0, 3, 18, 7}));

TEST(LoadArea, TheBossAreaSetsUpTheFight) {
    testing_support::freshHeadlessGame();
    for (EnemySlot& enemy : enemySlots) enemy.active = 1;
    areaId = 1;
    entrySide = 1;
    playerX = 320;  // column 9 of area 11
    playerY = -200;
    level = 8;
    playSeconds = 1201;
    bossAlive = 0;
    fadeLevel = 240;
    loadArea();
    EXPECT_EQ(bossNotice, 300);
    EXPECT_EQ(bossAlive, 1);
    EXPECT_EQ(bossX, 200);
    EXPECT_EQ(bossY, 200);
    EXPECT_EQ(bossHp, 640);
    for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.active, 0);
    EXPECT_EQ(playerX, 64);
    EXPECT_EQ(playerY, 432);
    EXPECT_EQ(mapCols, 12);
    EXPECT_EQ(mapRows, 12);
    EXPECT_EQ(scene, 1);
}

}  // namespace
