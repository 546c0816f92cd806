// The stored layouts and the live map: sizes, the openings that join
// neighbouring areas, and how a smaller layout is installed.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "support/headless_game.h"
#include "world/area_maps.h"

using namespace varnholt;

namespace {

int16_t cellOf(const MapLayout& layout, int r, int c) { return layout.cells[r * layout.cols + c]; }

struct LayoutFacts {
    const char* name;
    const MapLayout* layout;
    int cols, rows;
    std::vector<int> top, bottom, left, right;  // open border cells: columns, columns, rows, rows
};

const LayoutFacts allLayouts[] = {
    {"layout40", &layout40, 21, 18, {}, {}, {}, {}},
    {"layout30First", &layout30First, 15, 15, {}, {2, 3}, {}, {4}},
    {"layout30", &layout30, 15, 15, {4, 5}, {2, 3}, {}, {4, 9}},
    {"layout31", &layout31, 17, 11, {}, {}, {4, 9}, {5, 7}},
    {"layout32", &layout32, 15, 15, {7, 11}, {}, {5, 7}, {}},
    {"layout20", &layout20, 11, 17, {3, 5}, {4, 5}, {}, {9}},
    {"layout22", &layout22, 11, 17, {5}, {5, 9}, {}, {}},
    {"layout10", &layout10, 15, 15, {}, {3, 5}, {}, {}},
    {"layout10Alt", &layout10Alt, 15, 15, {}, {3, 5}, {}, {13}},
    {"layout11", &layout11, 21, 18, {9, 10}, {}, {13}, {3, 4, 5, 6, 7}},
    {"layout12", &layout12, 15, 15, {}, {5}, {3, 4, 5, 6}, {}},
    {"layout12Alt", &layout12Alt, 15, 15, {}, {5}, {3, 4, 5, 6, 7}, {}},
    {"layout1", &layout1, 12, 12, {}, {}, {}, {}},
};

TEST(AreaMap, LayoutsOpenTheirBordersExactlyAtTheConnections) {
    for (const LayoutFacts& f : allLayouts) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(std::tuple(f.layout->cols, f.layout->rows), std::tuple(f.cols, f.rows));
        // The open cells of the border that starts at (r, c) and runs n cells along (dr, dc).
        const auto openings = [&](int r, int c, int dr, int dc, int n) {
            std::vector<int> open;
            for (int i = 0; i < n; ++i) {
                const int16_t code = cellOf(*f.layout, r + i * dr, c + i * dc);
                if (code == 0 || code == 4 || code == 6) open.push_back(i);
            }
            return open;
        };
        EXPECT_EQ(openings(0, 0, 0, 1, f.cols), f.top);
        EXPECT_EQ(openings(f.rows - 1, 0, 0, 1, f.cols), f.bottom);
        EXPECT_EQ(openings(0, 0, 1, 0, f.rows), f.left);
        EXPECT_EQ(openings(0, f.cols - 1, 1, 0, f.rows), f.right);
    }
}

TEST(AreaMap, StartsAsArea40) {
    testing_support::freshHeadlessGame();
    int pits = 0;
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) {
            EXPECT_EQ(areaMap[r][c], cellOf(layout40, r, c)) << "(" << r << ", " << c << ")";
            pits += areaMap[r][c] == 7;
        }
    }
    EXPECT_EQ(pits, 1);
    EXPECT_EQ(areaMap[3][18], 7);
    EXPECT_EQ(areaMap[0][0], 1);
    EXPECT_EQ(areaMap[1][17], 2);
    EXPECT_EQ(areaMap[5][10], 0);
}

TEST(AreaMap, ASmallerLayoutLeavesTheRestOfTheLargerArea) {
    testing_support::freshHeadlessGame();
    // Every cell marked, so that any write beyond the new layout shows.
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) areaMap[r][c] = int16_t(100 + r * 21 + c);
    }
    installLayout(layout30);
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) {
            const int expected = r < 15 && c < 15 ? cellOf(layout30, r, c) : 100 + r * 21 + c;
            EXPECT_EQ(areaMap[r][c], expected) << "(" << r << ", " << c << ")";
        }
    }
    // Row stride 21: the second row of layout30 starts at element 21.
    EXPECT_EQ(areaMap[1][0], 3);
    EXPECT_EQ(areaMap[1][1], 4);

    installLayout(layout31);  // 17 wide, 11 high: columns 15 and 16 now change, rows 11.. stay
    EXPECT_EQ(areaMap[5][16], 4);
    EXPECT_EQ(areaMap[1][16], 3);
    EXPECT_EQ(areaMap[11][0], 3) << "row 11 keeps layout30's cell";
    EXPECT_EQ(areaMap[11][16], 100 + 11 * 21 + 16);
    EXPECT_EQ(areaMap[0][17], 100 + 17);
}

}  // namespace
