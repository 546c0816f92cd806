// Area changes: the two palette fades, the frames of a change from the
// title into area 40, the installing of each area with the player's
// arrival position, and every way out of an area walked through whole
// frames into the matching opening of the neighbouring area.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "display/display.h"
#include "display/palette.h"
#include "enemies/roster.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"
#include "world/area_maps.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

// Entry 5 holds bytes that are not multiples of 8.
TEST(Fades, EveryByteGoesOnceRoundAndComesBackExactly) {
    testing_support::freshHeadlessGame();
    displayMode = 1;
    ASSERT_EQ(createDisplay(), 1);
    ASSERT_TRUE(gamePalette);
    Palette& palette = *gamePalette;
    Palette original{};
    for (int i = 0; i < 256; ++i) {
        original[i] = {uint8_t(i * 8), uint8_t(248 - (i % 32) * 8), uint8_t(i * 24), uint8_t(i)};
    }
    original[5] = {100, 7, 9, 5};
    std::copy(original.begin(), original.end(), paletteCopy);
    palette = original;
    fadingOut = 1;
    for (int step = 1; step <= 32; ++step) {
        fadeOutStep();
        if (step == 1) {
            // A 0 byte stays 0, others lose 8, and one below 8 goes round below 0.
            EXPECT_EQ(std::tuple(palette[0].red, palette[2], palette[5]),
                      std::tuple(0, PaletteEntry{8, 224, 40, 2}, PaletteEntry{92, 255, 1, 5}));
        }
        if (step == 12 || step == 13) {
            EXPECT_EQ(palette[5].red, step == 12 ? 4 : 252) << "step " << step;
        }
    }
    EXPECT_EQ(std::tuple(fadeLevel, fadingOut, fadingIn), std::tuple(0, 0, 1));
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(palette[i], (i == 5 ? PaletteEntry{100, 7, 9, 5} : PaletteEntry{0, 0, 0, uint8_t(i)})) << i;
    }
    for (int step = 1; step <= 32; ++step) {
        fadeInStep();
        ASSERT_EQ(palette[5], (PaletteEntry{100, 7, 9, 5})) << "left alone, step " << step;
    }
    EXPECT_EQ(std::tuple(fadeInLevel, fadingIn), std::tuple(0, 0));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(palette[i], original[i]) << "entry " << i;
}

// The title menu starts a change into area 40: fadingOut 1 in scene 0.
TEST(AreaChange, RunsFromTheTitleIntoArea40InSixtyThreeFrames) {
    testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    fadingOut = 1;
    for (EnemySlot& enemy : enemySlots) enemy.spare = 0;

    for (int frame = 1; frame <= 29; ++frame) runFrame();
    EXPECT_EQ(std::tuple(fadeLevel, scene), std::tuple(232, 0));

    runFrame();  // 30
    EXPECT_EQ(std::tuple(fadeLevel, scene, mapCols, mapRows, playerX, playerY, quakeFrames),
              std::tuple(240, 1, 21, 18, -224, 814, 0));

    runFrame();  // 31
    EXPECT_EQ(std::tuple(fadeLevel, fadingOut), std::tuple(248, 1));
    for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.spare, 0) << "not yet set up";

    runFrame();  // 32
    EXPECT_EQ(std::tuple(fadeLevel, fadingOut, fadingIn, fadeInLevel), std::tuple(0, 0, 1, 8));
    for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.spare, 1) << "set up as the fade-out ends";

    for (int frame = 33; frame <= 62; ++frame) runFrame();
    EXPECT_EQ(std::tuple(fadeInLevel, fadingIn), std::tuple(248, 1));

    runFrame();  // 63
    EXPECT_EQ(std::tuple(fadeInLevel, fadingIn, scene), std::tuple(0, 0, 1));
}

// Sides: 1 from below, 2 from the top, 3 from the right, 4 from the left,
// 0 not through an edge; a side an area has no opening on leaves the
// player where he was, at view origin (1000, 500). A cell that tells the
// layout apart is checked after. The boss area sets up the fight: at level
// 8 after 1201 seconds the boss has 5 × 8 + 1201 ÷ 2 = 640 hit points.
TEST(LoadArea, InstallsEachAreaAndPlacesThePlayerBySide) {
    const struct {
        int area, side, falls, variant;                 // before
        int cols, rows, x, y, quake, row, col, code;    // after
    } arrivals[] = {
        {1, 1, 0, 0, 12, 12, 744, 432, 0, 1, 1, 6},      {1, 0, 0, 0, 12, 12, 744, 432, 0, 0, 0, 5},
        {10, 1, 0, 0, 15, 15, 1000, 688, 0, 13, 14, 3},  {10, 3, 0, 0, 15, 15, 608, 500, 0, 13, 14, 3},
        {10, 2, 0, 0, 15, 15, 1000, 500, 0, 13, 14, 3},  {10, 1, 3, 1, 15, 15, 1000, 688, 0, 13, 14, 4},
        {10, 1, 3, 0, 15, 15, 1000, 688, 0, 13, 14, 3},  {10, 1, 2, 1, 15, 15, 1000, 688, 0, 13, 14, 3},
        {11, 2, 0, 0, 21, 18, 1256, -208, 0, 0, 9, 6},   {11, 3, 0, 0, 21, 18, 992, 500, 0, 0, 9, 6},
        {11, 4, 0, 0, 21, 18, -288, 500, 0, 0, 9, 6},    {11, 1, 0, 0, 21, 18, 1000, 500, 0, 0, 9, 6},
        {12, 1, 0, 0, 15, 15, 1000, 688, 0, 7, 0, 5},    {12, 4, 0, 0, 15, 15, -288, 500, 0, 7, 0, 5},
        {12, 3, 0, 0, 15, 15, 1000, 500, 0, 7, 0, 5},    {12, 1, 3, 0, 15, 15, 1000, 688, 0, 7, 0, 6},
        {12, 1, 3, 1, 15, 15, 1000, 688, 0, 7, 0, 5},    {12, 1, 2, 0, 15, 15, 1000, 688, 0, 7, 0, 5},
        {20, 1, 0, 0, 11, 17, 1000, 816, 0, 9, 10, 4},   {20, 2, 0, 0, 11, 17, 1000, -208, 0, 9, 10, 4},
        {20, 4, 0, 0, 11, 17, 1000, 500, 0, 9, 10, 4},   {22, 1, 0, 0, 11, 17, 872, 816, 0, 0, 4, 5},
        {22, 2, 0, 0, 11, 17, 1000, -208, 0, 0, 4, 5},   {22, 3, 0, 0, 11, 17, 1000, 500, 0, 0, 4, 5},
        {30, 2, 2, 0, 15, 15, 1000, -208, 0, 0, 4, 4},   {30, 3, 0, 0, 15, 15, 608, 500, 0, 0, 4, 4},
        {30, 0, 1, 0, 15, 15, 1000, 500, 0, 0, 4, 3},    {30, 2, 1, 1, 15, 15, 1000, -208, 0, 0, 5, 3},
        {31, 3, 0, 0, 17, 11, 736, 500, 0, 4, 0, 4},     {31, 4, 0, 0, 17, 11, -288, 500, 0, 4, 0, 4},
        {31, 2, 0, 0, 17, 11, 1000, 500, 0, 4, 0, 4},    {32, 2, 0, 0, 15, 15, 1128, -208, 0, 0, 7, 4},
        {32, 4, 0, 0, 15, 15, -288, 500, 0, 0, 7, 4},    {32, 1, 0, 0, 15, 15, 1000, 500, 0, 0, 7, 4},
        {40, 0, 1, 0, 21, 18, 864, 48, 100, 3, 18, 7},   {40, 0, 0, 0, 21, 18, -224, 814, 0, 3, 18, 7},
        {40, 2, 1, 0, 21, 18, 1000, 500, 0, 3, 18, 7}};
    for (const auto& a : arrivals) {
        SCOPED_TRACE(testing::Message() << "area " << a.area << ", side " << a.side << ", falls " << a.falls
                                        << ", variant " << a.variant);
        testing_support::freshHeadlessGame();
        for (auto& row : areaMap) row.fill(9);
        std::tie(areaId, entrySide, fallCount, mapVariant) = std::tie(a.area, a.side, a.falls, a.variant);
        std::tie(playerX, playerY, fadeLevel, level, playSeconds, bossAlive) = std::tuple(1000, 500, 240, 8, 1201, 0);
        for (EnemySlot& enemy : enemySlots) enemy.active = 1;
        loadArea();
        EXPECT_EQ(std::tuple(mapCols, mapRows, playerX, playerY, quakeFrames, areaMap[a.row][a.col]),
                  std::tuple(a.cols, a.rows, a.x, a.y, a.quake, a.code));
        EXPECT_NE(areaMap[a.rows - 1][a.cols - 1], 9) << "the whole layout is copied, and nothing beyond";
        for (int r = 0; r < 18; ++r) {
            for (int c = r < a.rows ? a.cols : 0; c < 21; ++c) ASSERT_EQ(areaMap[r][c], 9) << r << ", " << c;
        }
        EXPECT_EQ(std::tuple(scene, areaId), std::tuple(1, a.area));
        const bool boss = a.area == 1;
        EXPECT_EQ(std::tuple(bossNotice, bossAlive, bossX, bossY, bossHp),
                  boss ? std::tuple(300, 1, 200, 200, 640) : std::tuple(0, 0, 0, 0, 0));
        for (const EnemySlot& enemy : enemySlots) EXPECT_EQ(enemy.active, boss ? 0 : 1) << "only the boss fights alone";
    }
}

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
    }
}

}  // namespace
