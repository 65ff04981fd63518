#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/movegen.h"
#include "board/reference_rules.h"
#include "common/fen.h"

namespace qv {
namespace {

// Loads a FEN and returns the legal moves of the side to move as full paths, in list order.
std::vector<std::string> moves_of(const char* fen) {
    const int n = legal_moves(test::set_fen(fen));
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back(move_path(move_lists[1][i]));
    return out;
}

std::multiset<std::string> as_set(const std::vector<std::string>& v) {
    return {v.begin(), v.end()};
}

struct RuleCase {
    const char* name;
    const char* fen;
    std::vector<std::string> expected;  // any order
};

class CaptureRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(CaptureRules, ExactLegalMoves) {
    const RuleCase& c = GetParam();
    EXPECT_EQ(as_set(moves_of(c.fen)), as_set(c.expected)) << c.fen;
}

INSTANTIATE_TEST_SUITE_P(
    Italian, CaptureRules,
    ::testing::Values(
        RuleCase{"compulsory", "W:W22,30:B18", {"22x13"}},
        RuleCase{"men_never_take_kings", "W:W22:BK18", {"22-19"}},
        RuleCase{"most_pieces", "W:W22,28:B18,23,15", {"28x19x12"}},
        RuleCase{"king_before_man", "W:W22,K3:B18,6", {"03x10"}},
        RuleCase{"most_kings", "W:WK3,K30:B6,K26", {"30x21"}},
        RuleCase{"earliest_king", "W:WK30:BK26,18,27,K20", {"30x21x14"}},
        // Equal count and kings, first kings met at the same jump: the second king decides.
        RuleCase{"second_king_earlier", "W:WK30:B10,K12,K18,20,K26,K27", {"30x21x14x05"}},
        RuleCase{"second_king_earlier_black", "B:WK6,K7,13,K15,K21,23:BK3", {"03x12x19x28"}},
        RuleCase{
            "second_king_earlier_other_side", "W:WK30:BK10,12,18,K20,K26,K27", {"30x23x16x07"}},
        RuleCase{"kings_met_at_the_same_jumps_both_kept",
                 "W:WK30:B10,12,K18,K20,K26,K27",
                 {"30x21x14x05", "30x23x16x07"}},
        RuleCase{"equal_captures_all_listed", "W:W22:B18,19", {"22x13", "22x15"}},
        // Two round trips over the same four men, back to the start square.
        RuleCase{"same_start_and_end_two_paths",
                 "W:WK3:B6,7,14,15",
                 {"03x10x19x12x03", "03x12x19x10x03"}},
        RuleCase{"white_man_stops_on_crowning_row", "W:W19:B15,7", {"19x12x03"}},
        RuleCase{"black_man_stops_on_crowning_row", "B:W27,28:B22", {"22x31"}},
        RuleCase{"blocked_side", "W:W29:B25,26,22", {}}, RuleCase{"no_pieces", "W:W:B1", {}},
        RuleCase{"black_kings_move_every_way", "B:W1:BK14", {"14-10", "14-11", "14-19", "14-18"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Random positions without a capture: plain moves come piece by piece in scan order (White
// from square 32 down, Black from 1 up), each piece's in direction order.
TEST(MoveOrder, PlainMovesInScanAndDirectionOrderOnRandomPositions) {
    std::mt19937 rng(2024);
    int checked = 0;
    for (int trial = 0; trial < 5000; ++trial) {
        Position p;
        p.squares[0] = OFF_BOARD;
        const int pieces = 2 + static_cast<int>(rng() % 24);
        for (int i = 0; i < pieces; ++i)
            p.squares[1 + rng() % 32] = static_cast<uint8_t>(1 + rng() % 4);
        const int side = static_cast<int>(rng() % 2);
        set_position(p);
        const int n = legal_moves(side);
        if (movegen.best_capture_count > 0) continue;
        std::vector<std::pair<int, int>> expected;
        for (int i = 0; i < 32; ++i) {
            const int s = side == WHITE ? 32 - i : 1 + i;
            const uint8_t code = p.squares[s];
            if (code == EMPTY || is_white(code) != (side == WHITE)) continue;
            const int d0 = code == BLACK_MAN ? 2 : 0;
            const int d1 = is_king(code) || code == BLACK_MAN ? 4 : 2;
            for (int d = d0; d < d1; ++d)
                if (neighbour[d][s] != 0 && p.squares[neighbour[d][s]] == EMPTY)
                    expected.emplace_back(s, neighbour[d][s]);
        }
        std::vector<std::pair<int, int>> got;
        for (int i = 0; i < n; ++i) got.emplace_back(move_lists[1][i].from, move_lists[1][i].to);
        ASSERT_EQ(got, expected) << write_fen(p.squares, side);
        ++checked;
    }
    EXPECT_GT(checked, 1000);  // most random positions have no capture
}

TEST(MoveGen, BoardIsLeftAsFound) {
    moves_of("W:WK3:B6,7,14,15");
    EXPECT_EQ(board[0], OFF_BOARD);
    EXPECT_EQ(write_fen(board, WHITE), "W:WK3:B6,7,14,15");
}

// Random positions, many kings: the generator must list exactly the moves of the plain
// reference implementation of the rules.
TEST(MoveGen, AgreesWithReferenceOnRandomPositions) {
    std::mt19937 rng(12345);
    int captures_seen = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        uint8_t squares[33] = {OFF_BOARD};
        const int pieces = 2 + static_cast<int>(rng() % 20);
        for (int i = 0; i < pieces; ++i) {
            const int s = 1 + static_cast<int>(rng() % 32);
            squares[s] = static_cast<uint8_t>(1 + rng() % 4);
        }
        const int side = static_cast<int>(rng() % 2);
        Position p;
        std::copy(squares, squares + 33, p.squares);
        p.squares[0] = OFF_BOARD;
        set_position(p);
        const auto expected = test::reference_moves(board, side);
        const bool capture_seen = has_capture(side);
        const int n = legal_moves(side);
        std::vector<test::RefMove> got;
        for (int i = 0; i < n; ++i) {
            const Move& m = move_lists[1][i];
            got.push_back({m.from, m.to, std::vector<int>(m.taken, m.taken + m.captures)});
        }
        std::sort(got.begin(), got.end());
        ASSERT_EQ(got, expected) << write_fen(p.squares, side);
        ASSERT_EQ(capture_seen, !expected.empty() && !expected[0].taken.empty())
            << write_fen(p.squares, side);
        if (movegen.best_capture_count > 0) ++captures_seen;
        for (int s = 0; s <= 32; ++s) ASSERT_EQ(board[s], p.squares[s]);
    }
    EXPECT_GT(captures_seen, 2000);  // the sample really exercises the capture rules
}

TEST(PieceMoves, PathsMatchTheMovesOfThatPiece) {
    moves_of("W:WK3,22:B6,7,14,15");  // the king must capture; the man could only move
    const int sq = square_of_label(3);
    const int n = piece_moves(sq, WHITE);
    ASSERT_EQ(n, 2);
    ASSERT_EQ(movegen.capture_paths.count, 2);
    for (int k = 0; k < n; ++k) {
        const Move m = move_lists[1][k];
        uint8_t landing[MAX_CAPTURE + 1] = {};
        landing_squares(m, landing);
        for (int j = 1; j <= m.captures; ++j) {
            EXPECT_EQ(movegen.capture_paths.landing[k + 1][j], landing[j]);
            EXPECT_EQ(movegen.capture_paths.taken[k + 1][j], m.taken[j - 1]);
        }
        capture_path(sq, m);
        for (int j = 1; j <= m.captures; ++j)
            EXPECT_EQ(movegen.capture_paths.landing[0][j], landing[j]);
    }
    // A man with two plain moves: each row holds its destination.
    moves_of("W:W22:B1");
    EXPECT_EQ(piece_moves(square_of_label(22), WHITE), 2);
    EXPECT_EQ(movegen.capture_paths.landing[1][1], square_of_label(19));  // direction 0 first
    EXPECT_EQ(movegen.capture_paths.landing[2][1], square_of_label(18));
}

// The window's paths follow the same rule: only the sequence that meets its second king
// first is offered and shown.
TEST(PieceMoves, KingsMetEarlierDecideThePathsShown) {
    moves_of("W:WK30:B10,K12,K18,20,K26,K27");
    const int sq = square_of_label(30);
    ASSERT_EQ(piece_moves(sq, WHITE), 1);
    ASSERT_EQ(movegen.capture_paths.count, 1);
    EXPECT_EQ(move_path(move_lists[1][0]), "30x21x14x05");
    EXPECT_EQ(movegen.capture_paths.landing[1][2], square_of_label(14));
}

TEST(SortMoves, DescendingKeys) {
    moves_of(START_FEN);
    Move* list = move_lists[1];
    const int16_t keys[7] = {5, 80, -3, 80, 255, 0, 7};
    for (int i = 0; i < 7; ++i) list[i].order_key = keys[i];
    sort_moves(7);
    for (int i = 1; i < 7; ++i) EXPECT_GE(list[i - 1].order_key, list[i].order_key);
    EXPECT_EQ(list[0].order_key, 255);
}

TEST(PlayMove, CrownsAndRemovesTakenPieces) {
    moves_of("W:W19:B15,7");
    play_move(move_lists[1][0]);
    EXPECT_EQ(write_fen(board, BLACK), "B:WK3:B");
}

}  // namespace
}  // namespace qv
