#include <gtest/gtest.h>

#include "common/case_name.h"
#include "eval/evaluate.h"
#include "eval/knowledge.h"
#include "eval/params.h"
#include "eval_test_util.h"

namespace qv {
namespace {

using test::Pos;
using test::prepare;

class EvaluationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(load_default_parameters());
        eval_state = EvalState{};
    }
    static EvalBreakdown full(int side) { return evaluate_with_breakdown(side, -32000, 32000); }
};

struct PhaseCase {
    int men;
    int phase;
};
class PhaseByMen : public EvaluationTest, public ::testing::WithParamInterface<PhaseCase> {};
TEST_P(PhaseByMen, FollowsTheThresholds) {
    params.opening_threshold = 18;
    params.middle_threshold = 12;
    params.prefinal_threshold = 6;
    clear_board();
    // Men on 5..28 (never on a crowning row), alternating colours; two kings do not count.
    for (int i = 0; i < GetParam().men; ++i) board[5 + i] = i % 2 ? BLACK_MAN : WHITE_MAN;
    board[1] = WHITE_KING;
    board[32] = BLACK_KING;
    prepare_evaluation(WHITE);
    EXPECT_EQ(eval_state.phase, GetParam().phase);
}
INSTANTIATE_TEST_SUITE_P(Thresholds, PhaseByMen,
                         ::testing::Values(PhaseCase{24, 0}, PhaseCase{19, 0}, PhaseCase{18, 1},
                                           PhaseCase{13, 1}, PhaseCase{12, 2}, PhaseCase{7, 2},
                                           PhaseCase{6, 3}, PhaseCase{1, 3}),
                         [](const auto& i) { return std::to_string(i.param.men) + "_men"; });

TEST_F(EvaluationTest, StartPositionIsOpeningWithNoTempoBalance) {
    set_start_position();
    prepare_evaluation(WHITE);
    EXPECT_EQ(eval_state.phase, 0);
    EXPECT_EQ(eval_state.tempo_balance, 0);
    EXPECT_EQ(eval_state.positional_sum, 0);
    EXPECT_FALSE(eval_state.variant1_active);
    EXPECT_FALSE(eval_state.variant2_active);
}

struct MaterialCase {
    const char* name;
    Pos position;
    int side;
    int material;
};
class Material : public EvaluationTest, public ::testing::WithParamInterface<MaterialCase> {};
TEST_P(Material, KingValueByPiecesAndSingleKing) {
    prepare(GetParam().position, GetParam().side, 1);
    EXPECT_EQ(full(GetParam().side).material, GetParam().material);
}
INSTANTIATE_TEST_SUITE_P(
    Kings, Material,
    ::testing::Values(
        // two men against one king: 4000 - (2430 + 30)
        MaterialCase{"two_men_for_a_king", test::pos("w20,21 B10"), WHITE, 1540},
        MaterialCase{"black_view", test::pos("w20,21 B10"), BLACK, -1540},
        // two kings each: the single-king bonus is gone and the kings cancel
        MaterialCase{"two_kings_against_one", test::pos("w20 W1,2 B10"), WHITE, 2000 + 2430},
        // 20 pieces, one king: 2360 + 30
        MaterialCase{"twenty_pieces",
                     test::pos("w21,22,23,24,25,26,27,28,29 b1,2,3,4,5,6,7,8,9,10 W13"), WHITE,
                     -2000 + 2390},
        // 13 pieces: 2390; 8 pieces: 2410 (two kings each side of the limit)
        MaterialCase{"thirteen_pieces", test::pos("w21,22,23,24,25,26 b1,2,3,4,5 W13,14"), WHITE,
                     2000 + 2 * 2390},
        MaterialCase{"eight_pieces", test::pos("w21,22,23 b1,2,3 W13,14"), BLACK, -2 * 2410}),
    qv::test::RowName());

TEST_F(EvaluationTest, TenKingsAgainstNineAddTheKingsOnlyTerm) {
    // No men: phase 3, no formation, mobility, patterns or tactics; king table 1 everywhere.
    prepare(test::pos("W5,6,7,8,9,10,11,12,13,14 B17,18,19,20,21,22,23,24,25"), WHITE, 1);
    eval_state.root_moved_piece = 0;
    // 2360 (19 pieces) + king table 10 - 9 + majority 1 x 50 / 19 + kings-only 1000 / 19
    EXPECT_EQ(full(WHITE).score, 2360 + 1 + 2 + 52);
    prepare(test::pos("W5,6,7,8,9,10,11,12,13,14 B17,18,19,20,21,22,23,24,25"), BLACK, 2);
    eval_state.root_moved_piece = 0;
    EXPECT_EQ(full(BLACK).score, -(2360 + 1 + 2 + 52));
}

struct DrawishCase {
    const char* name;
    int total;
    uint8_t counts[5];
    bool scaled;
};
class Drawish : public ::testing::TestWithParam<DrawishCase> {};
TEST_P(Drawish, OnlyFewPiecesWithMenAndTwoKingsEachUndecided) {
    EXPECT_EQ(drawish(GetParam().total, GetParam().counts), GetParam().scaled);
}
INSTANTIATE_TEST_SUITE_P(
    Rule, Drawish,
    ::testing::Values(DrawishCase{"two_kings_and_a_man_each", 500, {0, 1, 2, 1, 2}, true},
                      DrawishCase{"one_black_king", 500, {0, 1, 2, 1, 1}, false},
                      DrawishCase{"no_white_man", 500, {0, 0, 2, 1, 2}, false},
                      DrawishCase{"eight_pieces", 500, {0, 2, 2, 2, 2}, false},
                      DrawishCase{"seven_pieces", 500, {0, 1, 3, 1, 2}, true},
                      DrawishCase{"highest_undecided", 30999, {0, 1, 2, 1, 2}, true},
                      DrawishCase{"decided", 31000, {0, 1, 2, 1, 2}, false},
                      DrawishCase{"lowest_undecided", -30999, {0, 1, 2, 1, 2}, true},
                      DrawishCase{"decided_loss", -31000, {0, 1, 2, 1, 2}, false}),
    qv::test::RowName());

TEST_F(EvaluationTest, TwoKingsAndAManEachIsDividedByFourTowardZero) {
    const Pos scaled = test::pos("w22 b9 W1,14 B30,19");
    const Pos one_black_king = test::pos("w22 b9 W1,14 B30");
    prepare(scaled, WHITE, 1);
    const EvalBreakdown s = full(WHITE);
    EXPECT_TRUE(s.scaled);
    // Material and the clamped parts are what would be divided.
    const int total = s.material + s.positional + s.breakthrough + s.men_ending + s.king_tactics;
    EXPECT_EQ(s.score, total / 4);
    prepare(one_black_king, WHITE, 1);
    EXPECT_FALSE(full(WHITE).scaled);
}

TEST_F(EvaluationTest, VariantNeedsNineOfItsFourteenSquares) {
    for (int i = 0; i < 7; ++i) {
        params.variant1_white_squares[i] = static_cast<int8_t>(21 + i);  // 21..27
        params.variant1_black_squares[i] = static_cast<int8_t>(1 + i);   // 1..7
        params.variant2_white_squares[i] = params.variant2_black_squares[i] = 0;
    }
    // Eight conditions met (21..25 white, 1..3 black), plus men elsewhere: inactive.
    prepare(test::pos("w21,22,23,24,25,29,30,31,32 b1,2,3,8,9,10,11,12,13,14"), WHITE, 1);
    EXPECT_EQ(eval_state.phase, 0);
    EXPECT_FALSE(eval_state.variant1_active);
    // A ninth (black man on 4): active, and the next preparation takes the variant table.
    prepare(test::pos("w21,22,23,24,25,29,30,31,32 b1,2,3,4,9,10,11,12,13,14"), WHITE, 1);
    EXPECT_TRUE(eval_state.variant1_active);
    params.man_tables[OPENING_VARIANT1][20] = 33;
    prepare_evaluation(WHITE);
    EXPECT_EQ(eval_state.active_man_table[20], 33);
    // In the pre-final the flags are left alone.
    prepare(test::pos("w21,22,23 b1,2,3,4"), WHITE, 1);
    EXPECT_EQ(eval_state.phase, 2);
    EXPECT_TRUE(eval_state.variant1_active);
}

struct LazyCase {
    const char* name;
    int ply;
    int16_t alpha, beta;
    bool cut;
};
class LazyCut : public EvaluationTest, public ::testing::WithParamInterface<LazyCase> {};
TEST_P(LazyCut, MarginOf185OnTheMovingSidesBound) {
    // White a man down, White root: material -2000.
    prepare(test::pos("w22,23 b9,10,11"), WHITE, GetParam().ply);
    const EvalBreakdown r = evaluate_with_breakdown(WHITE, GetParam().alpha, GetParam().beta);
    EXPECT_EQ(r.lazy_cut, GetParam().cut);
    if (r.lazy_cut) {
        EXPECT_EQ(r.score, -2000);
    }
}
INSTANTIATE_TEST_SUITE_P(
    Margin, LazyCut,
    ::testing::Values(LazyCase{"odd_at_margin", 1, -1815, 0, true},  // -2000 <= -1815 - 185
                      LazyCase{"odd_inside", 1, -1816, 0, false},
                      LazyCase{"ply3_at_margin", 3, -1815, 0, true},
                      LazyCase{"even_at_margin", 2, -1815, -2185, true},  // -2000 >= -2185 + 185
                      LazyCase{"even_inside", 2, -1815, -2184, false},
                      LazyCase{"even_lowest_beta", 2, -32000, -32000, true}),
    qv::test::RowName());

TEST_F(EvaluationTest, CaptureThreatOnTheLastMoveBySearchPly) {
    // White man just arrived on 18 beside a black man on 14 with 22 empty behind it.
    for (int ply : {2, 3, 4}) {
        prepare(test::pos("w18,27,28 b14,4,5"), WHITE, ply);
        eval_state.last_destination = 18;
        EXPECT_EQ(full(WHITE).capture_threat, ply == 2 ? 0 : ply % 2 == 0 ? 100 : -100) << ply;
    }
    // Man facing a king does not count.
    prepare(test::pos("w18,27,28 b4,5 B14"), WHITE, 3);
    eval_state.last_destination = 18;
    EXPECT_EQ(full(WHITE).capture_threat, 0);
}

TEST_F(EvaluationTest, FinalPhaseFavoursRootMovesByMen) {
    prepare(test::pos("w22,23 b9,10"), WHITE, 1);
    ASSERT_EQ(eval_state.phase, 3);
    eval_state.root_moved_piece = WHITE_KING;
    const int king_move = full(WHITE).score;
    eval_state.root_moved_piece = WHITE_MAN;
    EXPECT_EQ(full(WHITE).score, king_move + 30);
}

TEST_F(EvaluationTest, StaticScoreRecountsAndUsesPlyTwo) {
    set_start_position();
    eval_state.piece_count[WHITE_MAN] = 3;  // stale counts from elsewhere
    const int16_t w = static_score(WHITE);
    EXPECT_EQ(movegen.ply, 2);
    EXPECT_EQ(eval_state.piece_count[WHITE_MAN], 12);
    EXPECT_EQ(eval_state.piece_count[BLACK_MAN], 12);
    EXPECT_GT(w, -100);
    EXPECT_LT(w, 100);
}

}  // namespace
}  // namespace qv
