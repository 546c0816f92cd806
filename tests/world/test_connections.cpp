// Every way out of an area, walked through whole frames: the player leaves
// by an opening, the screen fades, and he stands in the matching opening of
// the neighbouring area.
#include <gtest/gtest.h>

#include <string>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "enemies/roster.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"
#include "world/area_maps.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

struct Connection {
    const char* what;
    int32_t area;
    int32_t fallCount;
    int32_t mapVariant;
    int32_t row, col;     // the opening cell the player leaves from
    const char* key;      // the way he walks
    int32_t newArea;
    int32_t newRow, newCol;  // the cell he stands in after the fade
};

void PrintTo(const Connection& c, std::ostream* out) { *out << c.what; }

class AreaConnection : public ::testing::TestWithParam<Connection> {};

// Puts the player in the opening cell of an installed area, with the
// enemies parked far away so that nobody touches him on the way out.
void standInOpening(const Connection& c) {
    ASSERT_EQ(initGame(1, 0, 1), 1);
    fallCount = c.fallCount;
    mapVariant = c.mapVariant;
    areaId = c.area;
    entrySide = 0;  // not through an edge: the position is left alone
    fadeLevel = 240;
    loadArea();
    fadeLevel = 0;
    playerX = c.col * 64 - 288;
    playerY = c.row * 64 - 208;
    for (EnemySlot& enemy : enemySlots) {
        enemy.x = -20000;
        enemy.y = -20000;
        enemy.active = 0;
    }
    ASSERT_TRUE(isFloorCode(areaMap[c.row][c.col])) << "the opening must be open floor";
}

TEST_P(AreaConnection, LeadsToTheMatchingOpening) {
    const Connection& c = GetParam();
    HeadlessOptions options;
    std::string error;
    ASSERT_TRUE(parseInputScript(std::string("1 ") + c.key + "\n", options.script, error)) << error;
    testing_support::freshHeadlessGame(options);
    standInOpening(c);

    bool changed = false;
    int frames = 0;
    for (; frames < 200; ++frames) {
        runFrame();
        if (fadingIn == 1) changed = true;
        if (changed && fadingIn == 0) break;
    }
    ASSERT_TRUE(changed) << "no area change started";
    ASSERT_LT(frames, 200) << "the fade-in never ended";
    EXPECT_EQ(areaId, c.newArea);
    EXPECT_EQ(scene, 1);
    const int32_t spriteX = playerX + 288;
    const int32_t spriteY = playerY + 208;
    EXPECT_EQ(spriteY / 64, c.newRow) << "sprite at world y " << spriteY;
    EXPECT_EQ(spriteX / 64, c.newCol) << "sprite at world x " << spriteX;
    EXPECT_TRUE(isFloorCode(areaMap[c.newRow][c.newCol]));
}

INSTANTIATE_TEST_SUITE_P(
    Openings, AreaConnection,
    ::testing::Values(
        // Area 30 (after the second fall it has all its openings).
        Connection{"30 up at column 4 to 20", 30, 2, 0, 0, 4, "Up", 20, 16, 4},
        Connection{"30 up at column 5 to 20", 30, 2, 0, 0, 5, "Up", 20, 16, 5},
        Connection{"30 down at column 2 to 40 below the pit", 30, 2, 0, 14, 2, "Down", 40, 4, 18},
        Connection{"30 down at column 3 to 40 below the pit", 30, 2, 0, 14, 3, "Down", 40, 4, 18},
        Connection{"30 right at row 4 to 31", 30, 2, 0, 4, 14, "Right", 31, 4, 0},
        Connection{"30 right at row 9 to 31", 30, 2, 0, 9, 14, "Right", 31, 9, 0},
        Connection{"30 after the first fall, right at row 4", 30, 1, 0, 4, 14, "Right", 31, 4, 0},
        // Area 31.
        Connection{"31 left at row 4 to 30", 31, 2, 0, 4, 0, "Left", 30, 4, 14},
        Connection{"31 left at row 9 to 30", 31, 2, 0, 9, 0, "Left", 30, 9, 14},
        Connection{"31 right at row 5 to 32", 31, 2, 0, 5, 16, "Right", 32, 5, 0},
        Connection{"31 right at row 7 to 32", 31, 2, 0, 7, 16, "Right", 32, 7, 0},
        // Area 32.
        Connection{"32 left at row 5 to 31", 32, 2, 0, 5, 0, "Left", 31, 5, 16},
        Connection{"32 left at row 7 to 31", 32, 2, 0, 7, 0, "Left", 31, 7, 16},
        Connection{"32 up at column 7 to 22", 32, 2, 0, 0, 7, "Up", 22, 16, 5},
        Connection{"32 up at column 11 to 22", 32, 2, 0, 0, 11, "Up", 22, 16, 9},
        // Area 22.
        Connection{"22 down at column 5 to 32", 22, 2, 0, 16, 5, "Down", 32, 0, 7},
        Connection{"22 down at column 9 to 32", 22, 2, 0, 16, 9, "Down", 32, 0, 11},
        Connection{"22 up at column 5 to 12", 22, 2, 0, 0, 5, "Up", 12, 14, 5},
        // Area 20.
        Connection{"20 up at column 3 to 10", 20, 2, 0, 0, 3, "Up", 10, 14, 3},
        Connection{"20 up at column 5 to 10", 20, 2, 0, 0, 5, "Up", 10, 14, 5},
        Connection{"20 down at column 4 to 30", 20, 2, 0, 16, 4, "Down", 30, 0, 4},
        Connection{"20 down at column 5 to 30", 20, 2, 0, 16, 5, "Down", 30, 0, 5},
        // Area 10, and its exit to 11 from the third fall on.
        Connection{"10 down at column 3 to 20", 10, 2, 0, 14, 3, "Down", 20, 0, 3},
        Connection{"10 down at column 5 to 20", 10, 2, 0, 14, 5, "Down", 20, 0, 5},
        Connection{"10 variant 1 right at row 13 to 11", 10, 3, 1, 13, 14, "Right", 11, 13, 0},
        // Area 11.
        Connection{"11 left at row 13 to 10 variant 1", 11, 3, 1, 13, 0, "Left", 10, 13, 14},
        Connection{"11 up at column 9 to the boss", 11, 2, 0, 0, 9, "Up", 1, 10, 5},
        Connection{"11 up at column 10 to the boss", 11, 2, 0, 0, 10, "Up", 1, 10, 6},
        Connection{"11 right at row 3 to 12", 11, 2, 0, 3, 20, "Right", 12, 3, 0},
        Connection{"11 right at row 6 to 12", 11, 2, 0, 6, 20, "Right", 12, 6, 0},
        Connection{"11 right at row 7 to 12 variant 0", 11, 3, 0, 7, 20, "Right", 12, 7, 0},
        // Area 12.
        Connection{"12 left at row 3 to 11", 12, 2, 0, 3, 0, "Left", 11, 3, 20},
        Connection{"12 left at row 6 to 11", 12, 2, 0, 6, 0, "Left", 11, 6, 20},
        Connection{"12 variant 0 left at row 7 to 11", 12, 3, 0, 7, 0, "Left", 11, 7, 20},
        Connection{"12 down at column 5 to 22", 12, 2, 0, 14, 5, "Down", 22, 0, 5}));

}  // namespace
