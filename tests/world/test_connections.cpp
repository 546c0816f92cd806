// Every way out of an area, walked through whole frames: the player leaves
// by an opening, the screen fades, and he stands in the matching opening of
// the neighbouring area.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

// One cell of each opening: the others of the same opening arrive by the
// same rule, and the layouts' tests fix where every opening lies. Area 30
// has all its openings after the second fall; area 1 is the boss's.
TEST(AreaConnection, EachOpeningLeadsToTheMatchingOpening) {
    const struct {
        int32_t area, fallCount, mapVariant, row, col;  // the opening cell the player leaves from
        const char* key;                                 // the way he walks
        int32_t newArea, newRow, newCol;                 // the cell he stands in after the fade
    } connections[] = {
        {30, 2, 0, 0, 4, "Up", 20, 16, 4},        {30, 2, 0, 14, 3, "Down", 40, 4, 18},
        {30, 2, 0, 9, 14, "Right", 31, 9, 0},     {30, 1, 0, 4, 14, "Right", 31, 4, 0},
        {31, 2, 0, 4, 0, "Left", 30, 4, 14},      {31, 2, 0, 7, 16, "Right", 32, 7, 0},
        {32, 2, 0, 5, 0, "Left", 31, 5, 16},      {32, 2, 0, 0, 11, "Up", 22, 16, 9},
        {22, 2, 0, 16, 5, "Down", 32, 0, 7},      {22, 2, 0, 0, 5, "Up", 12, 14, 5},
        {20, 2, 0, 0, 5, "Up", 10, 14, 5},        {20, 2, 0, 16, 4, "Down", 30, 0, 4},
        {10, 2, 0, 14, 3, "Down", 20, 0, 3},      {10, 3, 1, 13, 14, "Right", 11, 13, 0},
        {11, 3, 1, 13, 0, "Left", 10, 13, 14},    {11, 2, 0, 0, 10, "Up", 1, 10, 6},
        {11, 2, 0, 6, 20, "Right", 12, 6, 0},     {11, 3, 0, 7, 20, "Right", 12, 7, 0},
        {12, 2, 0, 3, 0, "Left", 11, 3, 20},      {12, 3, 0, 7, 0, "Left", 11, 7, 20},
        {12, 2, 0, 14, 5, "Down", 22, 0, 5}};
    for (const auto& c : connections) {
        SCOPED_TRACE(testing::Message() << c.key << " out of " << c.area << " at (" << c.row << ", " << c.col
                                        << "), falls " << c.fallCount << ", variant " << c.mapVariant);
        HeadlessOptions options;
        std::string error;
        ASSERT_TRUE(parseInputScript(std::string("1 ") + c.key + "\n", options.script, error)) << error;
        testing_support::freshHeadlessGame(options);
        // The player in the opening cell of the installed area, not through
        // an edge, with the enemies parked far away so that nobody touches him.
        ASSERT_EQ(initGame(1, 0, 1), 1);
        std::tie(fallCount, mapVariant, areaId, entrySide, fadeLevel) =
            std::tuple(c.fallCount, c.mapVariant, c.area, 0, 240);
        loadArea();
        std::tie(fadeLevel, playerX, playerY) = std::tuple(0, c.col * 64 - 288, c.row * 64 - 208);
        for (EnemySlot& enemy : enemySlots) std::tie(enemy.x, enemy.y, enemy.active) = std::tuple(-20000, -20000, 0);
        ASSERT_TRUE(isFloorCode(areaMap[c.row][c.col])) << "the opening must be open floor";

        bool changed = false;
        int frames = 0;
        for (; frames < 200 && !(changed && fadingIn == 0); ++frames) {
            runFrame();
            changed = changed || fadingIn == 1;
        }
        ASSERT_TRUE(changed) << "no area change started";
        ASSERT_LT(frames, 200) << "the fade-in never ended";
        // The cell under the sprite's corner, in world cells.
        EXPECT_EQ(std::tuple(areaId, scene, (playerY + 208) / 64, (playerX + 288) / 64),
                  std::tuple(c.newArea, 1, c.newRow, c.newCol));
        EXPECT_TRUE(isFloorCode(areaMap[c.newRow][c.newCol]));
    }
}

}  // namespace
