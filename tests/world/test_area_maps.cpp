// The stored layouts and the live map: sizes, contents, the openings that
// join neighbouring areas, and how a smaller layout is installed.
#include <gtest/gtest.h>

#include <vector>

#include "app/game_state.h"
#include "support/headless_game.h"
#include "world/area_maps.h"

using namespace varnholt;

namespace {

int16_t cellOf(const MapLayout& layout, int r, int c) { return layout.cells[r * layout.cols + c]; }

bool isOpen(int16_t code) { return code == 0 || code == 4 || code == 6; }

struct LayoutFacts {
    const char* name;
    const MapLayout* layout;
    int cols;
    int rows;
    int codeCount[8];  // how many cells hold each code 0..7
    std::vector<int> top, bottom, left, right;  // open border cells: columns, columns, rows, rows
};

// Sizes, code counts and openings of the thirteen layouts.
const LayoutFacts allLayouts[] = {
    {"layout40", &layout40, 21, 18, {250, 119, 8, 0, 0, 0, 0, 1}, {}, {}, {}, {}},
    {"layout30First", &layout30First, 15, 15, {0, 0, 0, 111, 114, 0, 0, 0}, {}, {2, 3}, {}, {4}},
    {"layout30", &layout30, 15, 15, {0, 0, 0, 98, 127, 0, 0, 0}, {4, 5}, {2, 3}, {}, {4, 9}},
    {"layout31", &layout31, 17, 11, {0, 0, 0, 77, 110, 0, 0, 0}, {}, {}, {4, 9}, {5, 7}},
    {"layout32", &layout32, 15, 15, {0, 0, 0, 87, 138, 0, 0, 0}, {7, 11}, {}, {5, 7}, {}},
    {"layout20", &layout20, 11, 17, {0, 0, 0, 85, 102, 0, 0, 0}, {3, 5}, {4, 5}, {}, {9}},
    {"layout22", &layout22, 11, 17, {0, 0, 0, 66, 84, 15, 22, 0}, {5}, {5, 9}, {}, {}},
    {"layout10", &layout10, 15, 15, {0, 0, 0, 71, 113, 19, 22, 0}, {}, {3, 5}, {}, {}},
    {"layout10Alt", &layout10Alt, 15, 15, {0, 0, 0, 69, 115, 19, 22, 0}, {}, {3, 5}, {}, {13}},
    {"layout11", &layout11, 21, 18, {0, 0, 0, 126, 144, 41, 67, 0}, {9, 10}, {}, {13}, {3, 4, 5, 6, 7}},
    {"layout12", &layout12, 15, 15, {0, 0, 0, 65, 124, 10, 26, 0}, {}, {5}, {3, 4, 5, 6}, {}},
    {"layout12Alt", &layout12Alt, 15, 15, {0, 0, 0, 93, 96, 14, 22, 0}, {}, {5}, {3, 4, 5, 6, 7}, {}},
    {"layout1", &layout1, 12, 12, {0, 0, 0, 0, 0, 44, 100, 0}, {}, {}, {}, {}},
};

class Layouts : public ::testing::TestWithParam<LayoutFacts> {};

TEST_P(Layouts, OpenTheirBordersExactlyAtTheConnections) {
    const LayoutFacts& f = GetParam();
    ASSERT_EQ(f.layout->cols, f.cols);
    ASSERT_EQ(f.layout->rows, f.rows);
    std::vector<int> top, bottom, left, right;
    for (int c = 0; c < f.cols; ++c) {
        if (isOpen(cellOf(*f.layout, 0, c))) top.push_back(c);
        if (isOpen(cellOf(*f.layout, f.rows - 1, c))) bottom.push_back(c);
    }
    for (int r = 0; r < f.rows; ++r) {
        if (isOpen(cellOf(*f.layout, r, 0))) left.push_back(r);
        if (isOpen(cellOf(*f.layout, r, f.cols - 1))) right.push_back(r);
    }
    EXPECT_EQ(top, f.top) << f.name << " top";
    EXPECT_EQ(bottom, f.bottom) << f.name << " bottom";
    EXPECT_EQ(left, f.left) << f.name << " left";
    EXPECT_EQ(right, f.right) << f.name << " right";
}

INSTANTIATE_TEST_SUITE_P(AllThirteen, Layouts, ::testing::ValuesIn(allLayouts),
                         [](const ::testing::TestParamInfo<LayoutFacts>& info) {
                             return std::string(info.param.name);
                         });

struct SpotCell {
    const MapLayout* layout;
    const char* name;
    int row, col;
    int16_t code;
};

TEST(AreaMap, StartsAsArea40) {
    testing_support::freshHeadlessGame();
    ASSERT_EQ(layout40.cols, 21);
    ASSERT_EQ(layout40.rows, 18);
    int pits = 0;
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) {
            EXPECT_EQ(areaMap[r][c], cellOf(layout40, r, c)) << "(" << r << ", " << c << ")";
            if (areaMap[r][c] == 7) ++pits;
        }
    }
    EXPECT_EQ(areaMap[3][18], 7);
    EXPECT_EQ(pits, 1);
    EXPECT_EQ(areaMap[0][0], 1);
    EXPECT_EQ(areaMap[1][17], 2);
    EXPECT_EQ(areaMap[5][10], 0);
}

TEST(AreaMap, ASmallerLayoutLeavesTheRestOfTheLargerArea) {
    testing_support::freshHeadlessGame();
    // Mark every cell so that any write beyond the new layout shows.
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) areaMap[r][c] = int16_t(100 + r * 21 + c);
    }
    installLayout(layout30);
    for (int r = 0; r < 18; ++r) {
        for (int c = 0; c < 21; ++c) {
            if (r < 15 && c < 15) {
                EXPECT_EQ(areaMap[r][c], cellOf(layout30, r, c)) << "(" << r << ", " << c << ")";
            } else {
                EXPECT_EQ(areaMap[r][c], 100 + r * 21 + c) << "(" << r << ", " << c << ")";
            }
        }
    }
    // Row stride 21: the second row of layout30 starts at element 21.
    EXPECT_EQ(areaMap[1][0], 3);
    EXPECT_EQ(areaMap[1][1], 4);
    EXPECT_EQ(areaMap[0][4], 4);
    EXPECT_EQ(areaMap[9][14], 4);

    installLayout(layout31);  // 17 wide, 11 high: columns 15 and 16 now change, rows 11.. stay
    EXPECT_EQ(areaMap[5][16], 4);
    EXPECT_EQ(areaMap[7][16], 4);
    EXPECT_EQ(areaMap[1][16], 3);
    EXPECT_EQ(areaMap[11][0], 3) << "row 11 keeps layout30's cell";
    EXPECT_EQ(areaMap[11][16], 100 + 11 * 21 + 16);
    EXPECT_EQ(areaMap[0][17], 100 + 17);
}

}  // namespace
