#include "board/board3d_geometry.h"
#include "common/case_name.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// Every box: its centre and both bottom corners (never covered by an upper row) hit it,
// and the flipped board reports the square drawn there, 33 - t.
TEST(Board3dGeometry, EveryBoxHitsItsPlaceInBothOrientations) {
    for (int t = 1; t <= 32; ++t) {
        const int x = BOARD3D_X[t], y = BOARD3D_Y[t];
        const int points[3][2] = {{x + 30, y + 30}, {x, y + 59}, {x + 59, y + 59}};
        for (const auto& p : points) {
            EXPECT_EQ(board3d_place_at(p[0], p[1]), t) << "place " << t;
            EXPECT_EQ(board3d_square_at(p[0], p[1], false), t);
            EXPECT_EQ(board3d_square_at(p[0], p[1], true), 33 - t);
        }
    }
}

struct HitCase {
    int x, y;
    int unflipped, flipped;
};

// Points worked out by hand from the coordinate table.
constexpr HitCase HIT_CASES[] = {
    {568, 87, 1, 32},   // centre of square 1's box
    {518, 60, 0, 0},    // between the boxes of 1 and 2, above row 1
    {545, 100, 1, 32},  // overlap of boxes 1 and 6: the upper row is searched first
    {545, 120, 6, 27},  // below box 1, still in box 6
    {568, 56, 0, 0},    // one pixel above the top row
    {662, 429, 29, 4},  // bottom-right box: square 4 when flipped
    {662, 430, 0, 0},   // one pixel below the bottom row
    {186, 340, 0, 0},   // left of square 28's box
    {187, 340, 28, 5},  // its left edge
    {247, 340, 0, 0},   // right of it, in the light square between 28 and 32's boxes
    {620, 340, 0, 0},   // right of square 25's box ([560,620)), below row 5
    {0, 0, 0, 0},      {784, 520, 0, 0},
};

class Board3dHit : public testing::TestWithParam<HitCase> {};

TEST_P(Board3dHit, PointGivesSquare) {
    const HitCase& c = GetParam();
    EXPECT_EQ(board3d_square_at(c.x, c.y, false), c.unflipped);
    EXPECT_EQ(board3d_square_at(c.x, c.y, true), c.flipped);
}
std::string case_name(const HitCase& c) {
    return "x" + std::to_string(c.x) + "_y" + std::to_string(c.y);
}
INSTANTIATE_TEST_SUITE_P(Points, Board3dHit, testing::ValuesIn(HIT_CASES), qv::test::CaseName());

// Gaps between rows: straight down through square 1's column the boxes of 1, 9, 17 and 25
// alternate with the light squares of the odd rows, which lie in no box.
TEST(Board3dGeometry, ScanDownOneColumnAlternatesBoxesAndGaps) {
    std::vector<int> runs;
    for (int y = 0; y < BOARD3D_HEIGHT; ++y) {
        const int t = board3d_place_at(568, y);
        if (runs.empty() || runs.back() != t) runs.push_back(t);
    }
    EXPECT_EQ(runs, (std::vector<int>{0, 1, 0, 9, 0, 17, 0, 25, 0}));
}

// The stored click point of each place, read back by the 2D board's click formula
// (column (x - 20) / 60, row (y - 20) / 60, square column / 2 + 4 row + 1).
TEST(Board3dGeometry, ClickPointReadsBackAsThePlace) {
    for (int t = 1; t <= 32; ++t) {
        const ClickPoint p = board3d_click_point(t);
        const int col = (p.x - 20) / 60, row = (p.y - 20) / 60;
        EXPECT_EQ(col / 2 + 4 * row + 1, t);
    }
}

}  // namespace
}  // namespace qv
