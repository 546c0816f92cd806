// The view that follows the player and the drawing of the area's cells:
// where the view stops, how cells are cut at the screen's edges, the
// shake, and the glint of the crag walls outside the cave.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "display/palette.h"
#include "support/headless_game.h"
#include "world/area_maps.h"
#include "world/camera.h"
#include "world/expected_screen.h"

using namespace varnholt;

namespace {

// 21 × 18 cells stop the view at 704 and 672, 15 × 15 at 320 and 480,
// 11 × 17 at 64 and 608.
TEST(Camera, StopsAtTheEdgesOfTheArea) {
    const struct { const char* what; int cols, rows, x, y, scrollX, scrollY, offsetX, offsetY; } cases[] = {
        {"the start position", 21, 18, -224, 814, 0, 672, -224, 142},
        {"exactly at the right stop", 21, 18, 704, 300, 704, 300, 0, 0},
        {"just past the right stop", 21, 18, 705, 300, 704, 300, 1, 0},
        {"at the left stop", 21, 18, 0, 0, 0, 0, 0, 0},
        {"just past the left stop", 21, 18, 1, 1, 1, 1, 0, 0},
        {"exactly at the bottom stop", 21, 18, 100, 672, 100, 672, 0, 0},
        {"at the top edge of a cave area", 15, 15, 100, -208, 100, 0, 0, -208},
        {"in the right and bottom corners", 15, 15, 608, 688, 320, 480, 288, 208},
        {"in a narrow area", 11, 17, 65, 816, 64, 608, 1, 208},
        {"on the left of a narrow area", 11, 17, -288, 607, 0, 607, -288, 0}};
    testing_support::freshHeadlessGame();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::tie(mapCols, mapRows, playerX, playerY) = std::tie(c.cols, c.rows, c.x, c.y);
        updateCamera();
        EXPECT_EQ(std::tuple(scrollX, scrollY, playerOffsetX, playerOffsetY),
                  std::tuple(c.scrollX, c.scrollY, c.offsetX, c.offsetY));
    }
}

// Code 20 points below the 128-pixel-high sheet, so its cells draw nothing:
// a map of them leaves one probe cell alone on the screen.
constexpr int16_t blankCode = 20;
constexpr uint8_t untouched = 251;

struct Picture {
    int x, y, w, h;  // where on the screen
    int sx, sy;      // from where on the background sheet
};

class Tiles : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        ASSERT_EQ(loadAllBitmaps(), 1);
        scene = 1;
        playing = 1;
    }
    // Draws the map blank but for the probe cell, on an unmarked screen.
    static void drawProbe(int row, int col, int16_t code) {
        for (auto& cells : areaMap) cells.fill(blankCode);
        areaMap[row][col] = code;
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), untouched);
        drawTiles();
    }
    // What differs from a screen on which only these pictures were copied,
    // in order; `opaque` counts the pixels they copied.
    static std::string difference(const std::vector<Picture>& pictures, int* opaque = nullptr) {
        ExpectedScreen expected(untouched);
        int drawn = 0;
        for (const Picture& p : pictures) drawn += expected.copy(*backgroundSheet, p.sx, p.sy, p.w, p.h, p.x, p.y);
        if (opaque) *opaque = drawn;
        return expected.difference();
    }
};

TEST_F(Tiles, CutsCellsAtTheScreenEdges) {
    const struct {
        const char* what;
        int scrollX, scrollY, shake, row, col;
        int16_t code;
        std::vector<Picture> drawn;
    } cases[] = {
        {"X -10: from column 10, 54 wide, at x 0", 10, 0, 0, 1, 0, 3, {{0, 64, 54, 64, 202, 0}}},
        {"X 600: 40 wide", 40, 0, 0, 1, 10, 4, {{600, 64, 40, 64, 256, 0}}},
        {"X -64: nothing", 64, 0, 0, 1, 0, 5, {}},
        {"X 640: nothing", 0, 0, 0, 1, 10, 6, {}},
        {"X -63: its last column", 63, 0, 0, 1, 0, 1, {{0, 64, 1, 64, 127, 0}}},
        {"X 639: its first column", 1, 0, 0, 1, 10, 2, {{639, 64, 1, 64, 128, 0}}},
        {"Y -10: from row 10", 0, 10, 0, 0, 2, 3, {{128, 0, 64, 54, 192, 10}}},
        {"Y 448: 32 high", 0, 0, 0, 7, 2, 4, {{128, 448, 64, 32, 256, 0}}},
        {"Y 480: nothing", 0, 32, 0, 8, 2, 4, {}},
        {"Y -64: nothing", 0, 64, 0, 0, 2, 4, {}},
        {"cut at the top-left corner", 10, 20, 0, 0, 0, 6, {{0, 0, 54, 44, 394, 20}}},
        {"cut at the bottom-right corner", 30, 20, 0, 7, 10, 5, {{610, 428, 30, 52, 320, 0}}},
        {"code 11 from the sheet's second row", 0, 0, 0, 2, 2, 11, {{128, 128, 64, 64, 64, 64}}},
        {"shake right moves the cell, not its row", 0, 0, 5, 1, 2, 3, {{133, 64, 64, 64, 192, 0}}},
        {"shake left cuts the leftmost cell", 0, 0, -5, 2, 0, 4, {{0, 128, 59, 64, 261, 0}}},
        {"shake right cuts the rightmost cell", 0, 0, 5, 2, 9, 4, {{581, 128, 59, 64, 256, 0}}}};
    areaId = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::tie(scrollX, scrollY, shakeX) = std::tie(c.scrollX, c.scrollY, c.shake);
        drawProbe(c.row, c.col, c.code);
        int opaque = 0;
        EXPECT_EQ(difference(c.drawn, &opaque), "");
        EXPECT_EQ(opaque > 0, !c.drawn.empty()) << "the probe needs visible pixels";
    }
}

// A lone wall at row 2, column 3 ((2 + 1) × (3 + 1) = 12) on an unscrolled
// screen: its glint shows one cell to the right and below, at (256, 192).
TEST_F(Tiles, GlintShowsOnCragWallsOfArea40Only) {
    enum Glint { None, First, Second };
    const struct {
        const char* what;
        int area, code, clockBefore, roll, flagBefore;  // drawTiles advances the clock by one first
        Glint shown;
        int flagAfter;
    } cases[] = {{"just before 250: nothing, the flag falls back", 40, 1, 248, 12, 1, None, 0},
                 {"the clock wrapping to 0 ends a glint", 40, 1, 511, 12, 1, None, 0},
                 {"rolled at 250: the first picture", 40, 1, 249, 12, 0, First, 1},
                 {"rolled at 334: still the first picture", 40, 1, 333, 12, 0, First, 1},
                 {"the flag carries it on", 40, 1, 299, 0, 1, First, 1},
                 {"at 335: the second picture", 40, 1, 334, 12, 0, Second, 1},
                 {"at 511: still the second picture", 40, 1, 510, 0, 1, Second, 1},
                 {"neither rolled nor flagged", 40, 1, 299, 13, 0, None, 0},
                 {"the masonry round the pit never glints", 40, 2, 299, 12, 1, None, 1},
                 {"other areas never glint nor touch the flags", 10, 1, 299, 12, 1, None, 1}};
    scrollX = scrollY = shakeX = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::tie(areaId, tileClock, roll500, glintCells[2][3]) = std::tie(c.area, c.clockBefore, c.roll, c.flagBefore);
        drawProbe(2, 3, c.code);
        std::vector<Picture> expected{{192, 128, 64, 64, 64 * c.code, 0}};
        if (c.shown != None) expected.push_back({256, 192, 64, 64, c.shown == First ? 0 : 64, 64});
        EXPECT_EQ(difference(expected), "");
        EXPECT_EQ(glintCells[2][3], c.flagAfter);
    }
}

// Entry 40's red, saved as 100 and 77 on the screen before the pass, with
// the map cut to 3 rows of 4 so that the flagged cells (2, 2) and (2, 3)
// are the last visited: each glinting cell lowers the red by the clock's
// count past 335, and each plain cell puts the saved red back.
TEST_F(Tiles, GlintLowersTheRedOfEntry40UntilAPlainCellPutsItBack) {
    const struct { const char* what; int area, sceneNow, clockBefore; int16_t code22, code23; int red; } cases[] = {
        {"at 336 by one for each glinting cell", 40, 1, 335, 1, 1, 98},
        {"a plain cell after the glint", 40, 1, 339, 1, 20, 100},
        {"a glint after the plain cell", 40, 1, 339, 20, 1, 95},
        {"at 511 by 176, round below 0", 40, 1, 510, 20, 1, 180},
        {"every cell of another area is plain", 10, 1, 339, 1, 1, 100},
        {"no cell visited outside play", 40, 0, 339, 1, 1, 77}};
    std::tie(mapRows, mapCols, scrollX, scrollY, shakeX, roll500) = std::tuple(3, 4, 0, 0, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (auto& cells : areaMap) cells.fill(blankCode);
        std::tie(areaMap[2][2], areaMap[2][3]) = std::tie(c.code22, c.code23);
        glintCells[2][2] = glintCells[2][3] = 1;
        std::tie(areaId, scene, tileClock) = std::tie(c.area, c.sceneNow, c.clockBefore);
        std::tie(paletteCopy[40].red, (*gamePalette)[40].red) = std::tuple(100, 77);
        drawTiles();
        EXPECT_EQ((*gamePalette)[40].red, c.red);
    }
}

}  // namespace
