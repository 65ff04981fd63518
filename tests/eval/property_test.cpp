// Properties over many positions from random play and random set-ups.
#include <gtest/gtest.h>

#include <cstring>

#include "board/fen.h"
#include "board/movegen.h"
#include "eval/evaluate.h"
#include "eval/knowledge.h"
#include "eval/params.h"
#include "eval_test_util.h"

namespace qv {
namespace {

struct Terms {
    int values[6];
};

// Every knowledge term for `side` at `ply`.
Terms terms_for(int side, int ply) {
    movegen.ply = static_cast<int8_t>(ply);
    const Occupancy b = occupancy_of_board();
    return {{breakthrough_term(side, b), men_mobility_term(side, b), formation_term(side, b),
             king_fork_term(side, b), king_tactics_term(side, b), men_ending_patterns(side, b)}};
}

int16_t score_for(int root, int ply, uint8_t last_destination, uint8_t root_piece) {
    prepare_evaluation(root);
    movegen.ply = static_cast<int8_t>(ply);
    eval_state.last_destination = last_destination;
    eval_state.root_moved_piece = root_piece;
    return evaluate(root, -32000, 32000);
}

// The same position with the same side to move, scored with either root side: White's
// root moves at odd plies, so when White is to move White's ply is odd and Black's even.
void expect_antisymmetric(int side_to_move, uint8_t last_destination, uint8_t root_piece) {
    prepare_evaluation(WHITE);  // settles the variant flags for this position
    for (int base : {1, 3, 5}) {
        const int white_ply = side_to_move == WHITE ? base : base + 1;
        const int black_ply = side_to_move == BLACK ? base : base + 1;
        const int16_t w = score_for(WHITE, white_ply, last_destination, root_piece);
        const int16_t b = score_for(BLACK, black_ply, last_destination, root_piece);
        ASSERT_EQ(w, -b) << "plies " << white_ply << "/" << black_ply << " "
                         << write_fen(board, side_to_move);
        prepare_evaluation(WHITE);
        const Terms tw = terms_for(WHITE, white_ply);
        prepare_evaluation(BLACK);
        const Terms tb = terms_for(BLACK, black_ply);
        for (int i = 0; i < 6; ++i) ASSERT_EQ(tw.values[i], -tb.values[i]) << "term " << i;
    }
}

class Antisymmetry : public ::testing::TestWithParam<int> {};

TEST_P(Antisymmetry, RandomGamesScoreOppositeForTheTwoRootSides) {
    ASSERT_TRUE(load_default_parameters());
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    int positions = 0;
    for (int game = 0; game < 20; ++game) {
        set_start_position();
        int side = WHITE;
        uint8_t last = 0;
        for (int move = 0; move < 120; ++move) {
            expect_antisymmetric(side, last, last ? board[last] : 0);
            ++positions;
            const int n = legal_moves(side);
            if (n == 0) break;
            const Move m = move_lists[1][std::uniform_int_distribution<int>(0, n - 1)(rng)];
            play_move(m);
            last = m.to;
            side = 1 - side;
        }
    }
    EXPECT_GT(positions, 1000);
}

TEST_P(Antisymmetry, RandomSetUpsScoreOppositeForTheTwoRootSides) {
    ASSERT_TRUE(load_default_parameters());
    std::mt19937 rng(static_cast<unsigned>(GetParam()) + 100);
    for (int n = 0; n < 1500; ++n) {
        test::random_position(rng, 1 + n % 12);
        int last = 1 + static_cast<int>(rng() % 32);
        expect_antisymmetric(n % 2, static_cast<uint8_t>(last), board[last]);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Antisymmetry, ::testing::Values(11, 12, 13),
                         [](const auto& info) { return "seed" + std::to_string(info.param); });

// Moves made on board and in the sums the way the search's move maker does it.
void make_tracked(const Move& m) {
    const uint8_t piece = board[m.from];
    eval_lift(piece, m.from);
    board[m.from] = EMPTY;
    for (int i = 0; i < m.captures; ++i) {
        eval_lift(board[m.taken[i]], m.taken[i]);
        board[m.taken[i]] = EMPTY;
    }
    uint8_t arrived = piece;
    if ((piece == WHITE_MAN && m.to <= 4) || (piece == BLACK_MAN && m.to >= 29))
        arrived = static_cast<uint8_t>(piece + 1);
    board[m.to] = arrived;
    eval_place(arrived, m.to);
}

TEST(IncrementalSums, MatchAFreshComputationAfterRandomMoves) {
    ASSERT_TRUE(load_default_parameters());
    std::mt19937 rng(5);
    for (int line = 0; line < 300; ++line) {
        if (line % 2)
            set_start_position();
        else
            test::random_position(rng, 12);
        const int root = line % 3 == 0 ? BLACK : WHITE;
        prepare_evaluation(root);
        int side = static_cast<int>(rng() % 2);
        for (int ply = 0; ply < 30; ++ply) {
            const int n = legal_moves(side);
            if (n == 0) break;
            make_tracked(move_lists[1][std::uniform_int_distribution<int>(0, n - 1)(rng)]);
            side = 1 - side;
            const EvalState tracked = eval_state;
            compute_evaluation_sums(root);  // piece_count untouched: the same king table
            ASSERT_EQ(tracked.positional_sum, eval_state.positional_sum) << line << "/" << ply;
            ASSERT_EQ(tracked.tempo_balance, eval_state.tempo_balance);
            ASSERT_EQ(tracked.own_centre, eval_state.own_centre);
            ASSERT_EQ(tracked.their_centre, eval_state.their_centre);
            ASSERT_EQ(std::memcmp(tracked.own_zone, eval_state.own_zone, 5), 0);
            ASSERT_EQ(std::memcmp(tracked.their_zone, eval_state.their_zone, 5), 0);
        }
    }
}

}  // namespace
}  // namespace qv
