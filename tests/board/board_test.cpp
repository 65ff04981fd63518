#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/board3d_geometry.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/perft.h"
#include "common/case_name.h"
#include "common/fen.h"

namespace qv {
namespace {

TEST(Notation, LabelAndSquareRoundTripForAll32) {
    for (int s = 1; s <= 32; ++s) {
        EXPECT_EQ(square_of_label_text(label(s)), s);
        EXPECT_EQ(square_of_label(label_number(s)), s);
    }
    EXPECT_EQ(square_of_label_text(" 9"), square_of_label(9));
    EXPECT_EQ(square_of_label_text("33"), 0);
    EXPECT_EQ(square_of_label_text("x1"), 0);
}

TEST(Notation, MoveTextAndListLines) {
    EXPECT_EQ(move_text(22, 18, false), "23-19");
    EXPECT_EQ(move_text(18, 2, true), "19x03");
    EXPECT_EQ(half_move_line(1, 22, 18, false), " 1.23-19 ");
    EXPECT_EQ(full_move_line(12, 22, 18, false, 9, 14, true), "12.23-19 12x15");
}

TEST(Geometry, NeighbourExamples) {
    const struct {
        int dir, from, to;
    } cases[] = {{0, 6, 1},  {0, 7, 2},  {0, 8, 3}, {0, 9, 5}, {0, 10, 6}, {0, 11, 7},
                 {0, 12, 8}, {0, 13, 0}, {3, 1, 6}, {3, 4, 0}, {3, 5, 9},  {3, 8, 12},
                 {0, 5, 0},  {3, 5, 9},  {2, 5, 0}, {1, 4, 0}, {2, 29, 0}, {0, 2, 0}};
    for (const auto& c : cases) EXPECT_EQ(neighbour[c.dir][c.from], c.to) << c.dir << " " << c.from;
    board[0] = OFF_BOARD;
    EXPECT_EQ(board[neighbour[0][5]], OFF_BOARD);  // off the edge: neither empty nor a piece
}

TEST(Geometry, CornersAndOrientation) {
    board_state.flipped = 0;
    EXPECT_EQ(square_at(0, 0), 4);   // top-left
    EXPECT_EQ(square_at(7, 7), 29);  // bottom-right
    EXPECT_EQ(square_at(0, 1), 0);   // light square
    board_state.flipped = 1;
    EXPECT_EQ(cell_of(1).row, 7);
    EXPECT_EQ(cell_of(1).column, 1);
    EXPECT_EQ(cell_of(32).row, 0);
    EXPECT_EQ(cell_of(32).column, 6);
    EXPECT_EQ(square_at(7, 7), 4);  // the bottom-right corner selects square 4 when flipped
    for (int s = 1; s <= 32; ++s) EXPECT_EQ(square_at(cell_of(s).row, cell_of(s).column), s);
    board_state.flipped = 0;
}

TEST(Board, StartTotalsAndChangeDirTwiceIsIdentity) {
    set_start_position();
    EXPECT_EQ(count_pieces().white, 12);
    EXPECT_EQ(count_pieces().black, 12);
    std::mt19937 rng(7);
    for (int s = 1; s <= 32; ++s) board[s] = static_cast<uint8_t>(rng() % 5);
    uint8_t before[33];
    std::copy(board, board + 33, before);
    Change_dir();
    EXPECT_EQ(board_state.flipped, 1);
    EXPECT_EQ(board[1], before[32]);
    Change_dir();
    EXPECT_EQ(board_state.flipped, 0);
    for (int s = 0; s <= 32; ++s) EXPECT_EQ(board[s], before[s]);
}

TEST(Fen, RoundTripOnRandomPositions) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 2000; ++trial) {
        uint8_t squares[33] = {OFF_BOARD};
        for (int s = 1; s <= 32; ++s)
            squares[s] = rng() % 3 ? EMPTY : static_cast<uint8_t>(1 + rng() % 4);
        const int side = static_cast<int>(rng() % 2);
        const std::string fen = write_fen(squares, side);
        Position p;
        std::string error;
        ASSERT_TRUE(parse_fen(fen, p, error)) << fen << ": " << error;
        EXPECT_EQ(p.side_to_move, side);
        for (int s = 1; s <= 32; ++s) ASSERT_EQ(p.squares[s], squares[s]) << fen;
        EXPECT_EQ(write_fen(p.squares, p.side_to_move), fen);
    }
}

TEST(Fen, RangesKingsAndQuotes) {
    Position p;
    std::string error;
    ASSERT_TRUE(parse_fen("\"B:W21-23,K1:BK32,5\"", p, error)) << error;
    EXPECT_EQ(p.side_to_move, BLACK);
    EXPECT_EQ(write_fen(p.squares, p.side_to_move), "B:WK1,21,22,23:B5,K32");
}

TEST(Fen, MalformedInputIsRefusedWithoutChange) {
    const char* bad[] = {"",        "X:W1:B2", "W:W33:B1", "W:W1,1:B2", "W:W1:W2",
                         "W:W1:B1", "W:Wa:B2", "W:W1,:B2", "W:W5-2:B1", "W:W1;B2",
                         "W:Q1:B2", "W:W0:B2", "W:W1-40:B"};
    for (const char* text : bad) {
        Position p;
        p.side_to_move = 7;
        std::string error;
        EXPECT_FALSE(parse_fen(text, p, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(p.side_to_move, 7) << text;  // nothing half-applied
    }
}

TEST(Perft, PublishedStartPositionCounts) {
    const uint64_t expected[] = {7, 49, 302, 1469, 7361, 36473, 177532};
    set_start_position();
    reset_lists();
    uint64_t counts[MAX_PLY + 1] = {};
    movegen.ply = 1;
    perft_all(7, WHITE, counts);
    for (int d = 1; d <= 7; ++d) EXPECT_EQ(counts[d], expected[d - 1]) << "depth " << d;
    movegen.ply = 1;
    EXPECT_EQ(perft(5, WHITE), 7361u);
}

// The table walk must count exactly what the plain walk counts, also where kings make
// move orders meet and a position comes back deeper in the tree.
TEST(Perft, TableWalkCountsAsThePlainWalk) {
    struct Case {
        const char* fen;
        int depth;
    };
    const Case cases[] = {{"W:WK29,K30:BK4,K3", 9},
                          {"B:WK29,22:BK4,11", 10},
                          {"W:WK29,K30,22,23:BK4,K3,10,11", 7},
                          {"W:W17,18,21,22,23,25,26,27,29,30,31:B2,3,4,6,7,8,10,11,14,15,16", 7}};
    for (const Case& c : cases) {
        const int side = test::set_fen(c.fen);
        const std::string start = write_fen(board, side);
        reset_lists();
        uint64_t table[MAX_PLY + 1] = {}, plain[MAX_PLY + 1] = {};
        movegen.ply = 1;
        perft_all(c.depth, side, table);
        movegen.ply = 1;
        perft_plain(c.depth, side, plain);
        for (int d = 1; d <= c.depth; ++d) EXPECT_EQ(table[d], plain[d]) << c.fen << " depth " << d;
        EXPECT_EQ(write_fen(board, side), start);
    }
}

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
    const char* name;
    int x, y;
    int unflipped, flipped;
};

// Points worked out by hand from the coordinate table.
constexpr HitCase HIT_CASES[] = {
    {"centre_of_1", 568, 87, 1, 32},
    {"between_1_and_2", 518, 60, 0, 0},
    {"overlap_of_1_and_6", 545, 100, 1, 32},  // the upper row is searched first
    {"below_1_in_6", 545, 120, 6, 27},
    {"above_the_top_row", 568, 56, 0, 0},
    {"bottom_right_box", 662, 429, 29, 4},
    {"below_the_bottom_row", 662, 430, 0, 0},
    {"left_of_28", 186, 340, 0, 0},
    {"left_edge_of_28", 187, 340, 28, 5},
    {"light_square_right_of_28", 247, 340, 0, 0},
    {"right_of_25_below_row_5", 620, 340, 0, 0},
};

class Board3dHit : public testing::TestWithParam<HitCase> {};

TEST_P(Board3dHit, PointGivesSquare) {
    const HitCase& c = GetParam();
    EXPECT_EQ(board3d_square_at(c.x, c.y, false), c.unflipped);
    EXPECT_EQ(board3d_square_at(c.x, c.y, true), c.flipped);
}
INSTANTIATE_TEST_SUITE_P(Points, Board3dHit, testing::ValuesIn(HIT_CASES), qv::test::RowName());

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
