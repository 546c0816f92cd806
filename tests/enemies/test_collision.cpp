// Characters against map cells and enemies against the player: wall
// pushes, corners, screen edges, the pit, knock-back and sprite clipping.
#include <gtest/gtest.h>

#include <array>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "enemies/case_name.h"
#include "enemies/collision.h"
#include "enemies/roster.h"
#include "support/headless_game.h"
#include "world/area_maps.h"

using namespace varnholt;

namespace {

// A fresh game on an all-floor map.
template <class Case>
class Collision : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        for (auto& row : areaMap) row.fill(0);
    }
};

// Makes cell (row, col) the current one and scrolls so that it shows at
// screen (284, 206), just up and left of the player's sprite at (288, 208).
void focusCell(int32_t row, int32_t col) {
    curRow = row, curCol = col;
    scrollX = col * 64 - 284, scrollY = row * 64 - 206;
    playerOffsetX = playerOffsetY = 0;
    cellScreenX = 284, cellScreenY = 206;
}

// The player moved (mx, my) this frame and now stands at screen (288, 208).
void collidePlayer(int32_t mx, int32_t my) {
    playerX = 1000, playerY = 2000;
    prevPlayerX = 1000 - mx, prevPlayerY = 2000 - my;
    collideWithCell(playerX, playerY, prevPlayerX, prevPlayerY, playerWho);
}

struct WallCase {
    const char* what;
    int32_t moveX, moveY, pushX, pushY;
    int32_t dx = 4, dy = 2, touches = 1;  // where the character stands on screen, from the wall cell
    int32_t row = 4, col = 6, mapRows = 18, mapCols = 21;
    int32_t hRow = -1, hCol = -1; int16_t h = 0;  // the neighbours on its horizontal
    int32_t vRow = -1, vCol = -1; int16_t v = 0;  // and vertical sides
};

using CellWall = Collision<WallCase>;

// Less than 40 across and 45 up and down from a wall cell, a character is
// pushed back to 40 or 45 on the side it came from, at a corner along the
// wall that goes on (cells beyond the area's size hold stale floor that
// must not count). An enemy touching a wall is blocked even unpushed; one
// of kind 1 passes through walls unblocked.
TEST_P(CellWall, PushesBackTheWayTheCharacterCameButKindOnePassesThrough) {
    const WallCase& c = GetParam();
    mapRows = c.mapRows, mapCols = c.mapCols;
    areaMap[c.row][c.col] = 1;
    if (c.hRow >= 0 && c.hRow < 18 && c.hCol >= 0 && c.hCol < 21) areaMap[c.hRow][c.hCol] = c.h;
    if (c.vRow >= 0 && c.vRow < 18 && c.vCol >= 0 && c.vCol < 21) areaMap[c.vRow][c.vCol] = c.v;
    focusCell(c.row, c.col);
    playerOffsetX = c.dx - 4, playerOffsetY = c.dy - 2;
    for (int k = 0; k < 3; ++k) enemySlots[k].kind = k, enemyBump[k] = -5, enemyScreenX[k] = -1;
    collidePlayer(c.moveX, c.moveY);
    EXPECT_EQ((std::array{playerX, playerY, cellScreenX, cellScreenY}),
              (std::array{1000 + c.pushX, 2000 + c.pushY, 284, 206}));
    // Enemies of kinds 0, 1 and 2 in the player's place, come the same way.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(std::pair(enemyBump[k], enemyScreenX[k]), std::pair(-5, -1)) << "the player's pass left alone " << k;
        EnemySlot& e = enemySlots[k];
        e.x = scrollX + 284 + c.dx, e.y = scrollY + 206 + c.dy, e.prevX = e.x - c.moveX, e.prevY = e.y - c.moveY;
        collideWithCell(e.x, e.y, e.prevX, e.prevY, k);
        const bool passes = k == 1;
        EXPECT_EQ((std::array{e.x - scrollX, e.y - scrollY, enemyScreenX[k], enemyBump[k]}),
                  (std::array{284 + c.dx + (passes ? 0 : c.pushX), 206 + c.dy + (passes ? 0 : c.pushY), 284 + c.dx,
                              c.touches == 1 && !passes ? 1 : -5}))
            << "kind " << k;
    }
}

const WallCase kWalls[] = {
    {"from the left", 44, 0, -44, 0},        {"from just inside the left reach", 43, 0, 0, 0},
    {"from the right", -36, 0, 36, 0},       {"from just inside the right reach", -35, 0, 0, 0},
    {"from above", 0, 47, 0, -47},           {"from just inside the upper reach", 0, 46, 0, 0},
    {"from below", 0, -43, 0, 43},           {"from just inside the lower reach", 0, -42, 0, 0},
    {"touching at the top left", 0, 0, 0, 0, -39, -44}, {"touching at the bottom right", 0, 0, 0, 0, 39, 44},
    {"40 left of it", 0, 0, 0, 0, -40, 0, 0}, {"40 right of it", 0, 0, 0, 0, 40, 0, 0},
    {"45 above it", 0, 0, 0, 0, 0, -45, 0},  {"45 below it", 0, 0, 0, 0, 0, 45, 0},
    {"corner, H wall, V floor: vertical only", 50, 47, 0, -47, 4, 2, 1, 4, 6, 18, 21, 4, 5, 1, 3, 6, 0},
    {"corner, V wall, H floor: horizontal only", 50, 47, -44, 0, 4, 2, 1, 4, 6, 18, 21, 4, 5, 0, 3, 6, 2},
    {"corner, both walls: both", 50, 47, -44, -47, 4, 2, 1, 4, 6, 18, 21, 4, 5, 3, 3, 6, 5},
    {"corner, both floor: both", 50, 47, -44, -47, 4, 2, 1, 4, 6, 18, 21, 4, 5, 4, 3, 6, 6},
    {"corner, pit beside: both", 50, 47, -44, -47, 4, 2, 1, 4, 6, 18, 21, 4, 5, 1, 3, 6, 7},
    {"corner from below right, H wall", -36, -43, 0, 43, 4, 2, 1, 4, 6, 18, 21, 4, 7, 1, 5, 6, 0},
    {"corner from below right, V wall", -36, -43, 36, 0, 4, 2, 1, 4, 6, 18, 21, 4, 7, 0, 5, 6, 1},
    {"corner, row -1 above the area", 50, 47, -44, -47, 4, 2, 1, 0, 6, 18, 21, 0, 5, 1, -1, 6, 0},
    {"corner, row 18 below the map", -36, -43, 36, 43, 4, 2, 1, 17, 6, 18, 21, 17, 7, 1, 18, 6, 0},
    {"corner, row below a 15-row area", -36, -43, 36, 43, 4, 2, 1, 14, 6, 15, 15, 14, 7, 1, 15, 6, 0},
    {"corner, column right of a 15-column area", -36, -43, 36, 43, 4, 2, 1, 4, 14, 15, 15, 4, 15, 0, 5, 14, 1},
    {"corner, column -1 left of the area", 50, 47, -44, -47, 4, 2, 1, 5, 0, 18, 21, 4, 20, 0, 4, 0, 1}};
INSTANTIATE_TEST_SUITE_P(Sides, CellWall, ::testing::ValuesIn(kWalls), caseName<WallCase>);

// No change starts while either fade runs; the pit leads up only when no
// fade-out runs yet.
struct EdgeCase {
    const char* what;
    int32_t offsetX, offsetY, area, newArea, side, fading;
    int32_t fadeOut = 0, fadeIn = 0;
    int16_t code = 0;
};

using ScreenEdge = Collision<EdgeCase>;

TEST_P(ScreenEdge, HalfOffTheScreenStartsTheAreaChange) {
    const EdgeCase& c = GetParam();
    areaMap[9][9] = c.code;
    focusCell(9, 9);
    areaId = c.area, entrySide = 9, fadingOut = c.fadeOut, fadingIn = c.fadeIn;
    playerOffsetX = c.offsetX, playerOffsetY = c.offsetY;
    collideWithCell(playerX, playerY, playerX, playerY, playerWho);
    EXPECT_EQ((std::array{areaId, entrySide, fadingOut}), (std::array{c.newArea, c.side, c.fading}));
}

const EdgeCase kEdges[] = {
    {"left at -32", -320, 0, 31, 30, 3, 1},     {"left at -31", -319, 0, 31, 31, 9, 0},
    {"right at 608", 320, 0, 31, 32, 4, 1},     {"right at 607", 319, 0, 31, 31, 9, 0},
    {"top at -32", 0, -240, 31, 21, 1, 1},      {"top at -31", 0, -239, 31, 31, 9, 0},
    {"bottom at 448", 0, 240, 20, 30, 2, 1},    {"bottom at 447", 0, 239, 20, 20, 9, 0},
    {"bottom from 30 into 40", 0, 240, 30, 40, 0, 1},  {"left and bottom: left wins", -330, 250, 31, 30, 3, 1},
    {"right and top: right wins", 330, -250, 31, 32, 4, 1},
    {"left while fading out", -400, 0, 31, 31, 9, 1, 1}, {"left while fading in", -400, 0, 31, 31, 9, 0, 0, 1},
    {"on the pit", -4, -2, 31, 21, 9, 1, 0, 0, 7},      {"on the pit while fading out", -4, -2, 31, 31, 9, 1, 1, 0, 7},
    {"on the pit while fading in", -4, -2, 31, 31, 9, 0, 0, 1, 7}};
INSTANTIATE_TEST_SUITE_P(Sides, ScreenEdge, ::testing::ValuesIn(kEdges), caseName<EdgeCase>);

// The pit of area 40 at cell (3, 18): the player's sprite at world
// (1152, 192) stands exactly on it.
TEST(PitFall, FallFadeAndLandingInTheCave) {
    testing_support::freshHeadlessGame();
    ASSERT_EQ(initGame(1, 0, 1), 1);
    scene = 1;
    playerX = 864, playerY = -16;
    for (int frame = 1; frame <= 99; ++frame) {
        runFrame();
        ASSERT_EQ((std::array{fallFrames, fadeLevel, areaId, fadingOut}), (std::array{frame, 0, 30, 1}));
    }
    runFrame();
    EXPECT_EQ(std::pair(fallFrames, fadeLevel), std::pair(0, 8));
    for (int frame = 101; frame <= 128; ++frame) runFrame();
    EXPECT_EQ(std::pair(fadeLevel, fallCount), std::pair(232, 0));
    runFrame();  // sees 232 on the pit, then reaches 240 and installs area 30
    EXPECT_EQ((std::array{playerX, playerY, fallCount, entrySide, mapCols, mapRows}),
              (std::array{-160, 688, 1, 0, 15, 15}));
    for (int frame = 0; frame < 40 && (fadingOut == 1 || fadingIn == 1); ++frame) runFrame();
    EXPECT_EQ((std::array{fadingOut, fadingIn, areaId, fallCount, playerX, playerY}),
              (std::array{0, 0, 30, 1, -160, 688}));
    for (int col = 0; col < 15; ++col) EXPECT_EQ(areaMap[0][col], 3) << col;
    EXPECT_TRUE(isFloorCode(areaMap[14][2]));  // where the sprite stands: world (128, 896)
}

struct ContactCase {
    const char* what;
    int32_t playerDX, playerDY;  // player's screen position minus the enemy's (300, 200)
    int32_t playerMX, playerMY;  // the player's move this frame
    int32_t enemyMX, enemyMY;    // the enemy's
    int32_t pushX, pushY;        // expected change of playerX, playerY
    int32_t enemyX, enemyY;      // expected change of the enemy's x, y
    int32_t hits;                // knock-backs, each of which hurts when nothing protects
};

// Enemy 5 of speed 2 and power 3 at (2000, 3000); the player at view origin
// (1000, 500).
EnemySlot& setUpContact(const ContactCase& c) {
    testing_support::freshHeadlessGame();
    EnemySlot& e = enemySlots[5];
    e.active = 1, e.speed = 2, e.power = 3;
    e.x = 2000, e.y = 3000, e.prevX = 2000 - c.enemyMX, e.prevY = 3000 - c.enemyMY;
    enemyScreenX[5] = 300, enemyScreenY[5] = 200;
    playerScreenX = 300 + c.playerDX, playerScreenY = 200 + c.playerDY;
    playerX = 1000, playerY = 500, prevPlayerX = 1000 - c.playerMX, prevPlayerY = 500 - c.playerMY;
    hp = maxHp = 50;
    stamina = maxStamina = 9000;
    contactFrames[5] = 12;
    return e;
}

class EnemyContact : public ::testing::TestWithParam<ContactCase> {};

// A push is hard at difficulty 2 or on a roll300 of 1: the player is
// thrown 30 further. The roll of 1 also doubles the damage; difficulty 2
// leaves no protection, so that every knock-back hurts. An earthquake
// does not keep an enemy from touching the player; either fade does.
struct ContactMode { int32_t difficulty, roll300, quake, extra, damage, timer; };
const ContactMode kModes[] = {
    {0, 0, 0, 0, 3, 60}, {1, 2, 5, 0, 3, 30}, {2, 0, 0, 30, 3, 0}, {0, 1, 0, 30, 6, 60}, {2, 1, 0, 30, 6, 0}};

TEST_P(EnemyContact, KnockBackPutsThePlayerAtTheBoxEdge) {
    const ContactCase& c = GetParam();
    for (const ContactMode& m : kModes) {
        EnemySlot& e = setUpContact(c);
        difficulty = m.difficulty, roll300 = m.roll300, quakeFrames = m.quake;
        enemyContact(5);
        const auto extra = [&m](int32_t push) { return push > 0 ? m.extra : push < 0 ? -m.extra : 0; };
        SCOPED_TRACE(::testing::Message() << c.what << ", difficulty " << m.difficulty << ", roll " << m.roll300);
        EXPECT_EQ((std::array{playerX, playerY, prevPlayerX, prevPlayerY, e.x, e.y}),
                  (std::array{1000 + c.pushX + extra(c.pushX), 500 + c.pushY + extra(c.pushY),
                              m.extra != 0 && c.pushX != 0 ? 1000 : 1000 - c.playerMX,
                              m.extra != 0 && c.pushY != 0 ? 500 : 500 - c.playerMY, 2000 + c.enemyX,
                              3000 + c.enemyY}));
        EXPECT_EQ((std::array{hp, playerHitTimer, pushedX, pushedY, enemyBump[5], contactFrames[5]}),
                  (std::array{50 - m.damage * (m.timer == 0 ? c.hits : 1), m.timer, int32_t(c.pushX != 0),
                              int32_t(c.pushY != 0), 20, 0}));
    }
    for (const int32_t fade : {1, 2}) {
        EnemySlot& e = setUpContact(c);
        (fade == 1 ? fadingOut : fadingIn) = 1;
        enemyContact(5);
        EXPECT_EQ((std::array{playerX, playerY, e.x, e.y, hp, contactFrames[5]}),
                  (std::array{1000, 500, 2000, 3000, 50, 12}))
            << c.what << (fade == 1 ? ", fading out" : ", fading in");
    }
}

const ContactCase kSides[] = {
    {"walked in from the right", 20, 0, -20, 0, 0, 0, 11, 0, -2, 0, 1},
    {"walked in from the left", -20, 0, 20, 0, 0, 0, -11, 0, 2, 0, 1},
    {"walked in from below", 0, 30, 0, -20, 0, 0, 0, 14, 0, -2, 1},
    {"walked in from above", 0, -30, 0, 20, 0, 0, 0, -14, 0, 2, 1},
    {"enemy walked into him from the left", 20, 0, 0, 0, 20, 0, 11, 0, -2, 0, 1},
    {"walked in from below right", 20, 30, -20, -20, 0, 0, 11, 14, -2, -2, 2},
};
INSTANTIATE_TEST_SUITE_P(Sides, EnemyContact, ::testing::ValuesIn(kSides), caseName<ContactCase>);

// Every 30 frames the drain takes maxHp / 30 hit points: none below 30.
TEST(ContactDrain, OverlapWithoutCrossingDrainsEveryThirtyFrames) {
    for (const auto& [maxHpNow, hpLoss] : {std::pair(29, 0), std::pair(30, 1), std::pair(59, 1), std::pair(90, 3)}) {
        EnemySlot& e = setUpContact({"inside", 10, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        maxHp = maxHpNow;
        playerHitTimer = 40;  // blinking does not stop the drain
        idleFrames = 77;
        contactFrames[5] = 0;
        for (int frame = 1; frame <= 29; ++frame) enemyContact(5);
        EXPECT_EQ((std::array{contactFrames[5], hp, stamina}), (std::array{29, 50, 9000})) << "max " << maxHpNow;
        enemyContact(5);
        EXPECT_EQ((std::array{hp, stamina, contactFrames[5], idleFrames}), (std::array{50 - hpLoss, 8550, 0, 0}));
        EXPECT_EQ((std::array{playerX, playerY, e.x, pushedX, pushedY}), (std::array{1000, 500, 2000, 0, 0}));
    }
}

struct ClipCase { const char* what; int32_t kind, screenX, screenY; Rect source; int32_t drawX, drawY; };

class EnemyClip : public ::testing::TestWithParam<ClipCase> {};

TEST_P(EnemyClip, DrawsOnlyThePartOnTheScreen) {
    const ClipCase& c = GetParam();
    testing_support::freshHeadlessGame();
    scrollX = 510, scrollY = 130;
    enemySlots[6].x = 510 + c.screenX, enemySlots[6].y = 130 + c.screenY;
    prepareEnemySprite(c.kind, 6);
    const Rect& r = enemySrcRect;
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom, enemyScreenX[6], enemyScreenY[6]}),
              (std::array{c.source.left, c.source.top, c.source.right, c.source.bottom, c.drawX, c.drawY}));
}

const ClipCase kClips[] = {{"whole", 3, 100, 100, {192, 0, 256, 64}, 100, 100},
                           {"10 off the left", 2, -10, 100, {138, 0, 192, 64}, 0, 100},
                           {"40 wide at the right", 2, 600, 100, {128, 0, 168, 64}, 600, 100},
                           {"20 off the top", 0, 300, -20, {0, 20, 64, 64}, 300, 0},
                           {"30 high at the bottom", 5, 300, 450, {320, 0, 384, 30}, 300, 450},
                           {"top-left corner", 1, -5, -7, {69, 7, 128, 64}, 0, 0},
                           {"at the left edge", 4, 0, 0, {256, 0, 320, 64}, 0, 0}};
INSTANTIATE_TEST_SUITE_P(Edges, EnemyClip, ::testing::ValuesIn(kClips), caseName<ClipCase>);

}  // namespace
