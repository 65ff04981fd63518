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
std::string case_name(const PhaseCase& c) {
    return std::to_string(c.men) + "_men";
}
INSTANTIATE_TEST_SUITE_P(Thresholds, PhaseByMen,
                         ::testing::Values(PhaseCase{24, 0}, PhaseCase{19, 0}, PhaseCase{18, 1},
                                           PhaseCase{13, 1}, PhaseCase{12, 2}, PhaseCase{7, 2},
                                           PhaseCase{6, 3}, PhaseCase{1, 3}),
                         qv::test::CaseName());

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
    Pos position;
    int side;
    int material;
};
class Material : public EvaluationTest, public ::testing::WithParamInterface<MaterialCase> {};
TEST_P(Material, KingValueByPiecesAndSingleKing) {
    prepare(GetParam().position, GetParam().side, 1);
    EXPECT_EQ(full(GetParam().side).material, GetParam().material);
}
std::string case_name(const MaterialCase& c) {
    return std::string(c.side == WHITE ? "white_" : "black_") + test::number_name(c.material);
}
INSTANTIATE_TEST_SUITE_P(
    Kings, Material,
    ::testing::Values(
        // two men against one king: 4000 - (2430 + 30)
        MaterialCase{{.white_men = {20, 21}, .black_kings = {10}}, WHITE, 1540},
        MaterialCase{{.white_men = {20, 21}, .black_kings = {10}}, BLACK, -1540},
        // two kings each: the single-king bonus is gone and the kings cancel
        MaterialCase{
            {.white_men = {20}, .white_kings = {1, 2}, .black_kings = {10}}, WHITE, 2000 + 2430},
        // 20 pieces, one king: 2360 + 30
        MaterialCase{{.white_men = {21, 22, 23, 24, 25, 26, 27, 28, 29},
                      .black_men = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                      .white_kings = {13}},
                     WHITE,
                     -2000 + 2390},
        // 13 pieces: 2390; 8 pieces: 2410 (two kings each side of the limit)
        MaterialCase{{.white_men = {21, 22, 23, 24, 25, 26},
                      .black_men = {1, 2, 3, 4, 5},
                      .white_kings = {13, 14}},
                     WHITE,
                     2000 + 2 * 2390},
        MaterialCase{{.white_men = {21, 22, 23}, .black_men = {1, 2, 3}, .white_kings = {13, 14}},
                     BLACK,
                     -2 * 2410}),
    qv::test::CaseName());

TEST_F(EvaluationTest, TenKingsAgainstNineAddTheKingsOnlyTerm) {
    // No men: phase 3, no formation, mobility, patterns or tactics; king table 1 everywhere.
    prepare({.white_kings = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
             .black_kings = {17, 18, 19, 20, 21, 22, 23, 24, 25}},
            WHITE, 1);
    eval_state.root_moved_piece = 0;
    // 2360 (19 pieces) + king table 10 - 9 + majority 1 x 50 / 19 + kings-only 1000 / 19
    EXPECT_EQ(full(WHITE).score, 2360 + 1 + 2 + 52);
    prepare({.white_kings = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
             .black_kings = {17, 18, 19, 20, 21, 22, 23, 24, 25}},
            BLACK, 2);
    eval_state.root_moved_piece = 0;
    EXPECT_EQ(full(BLACK).score, -(2360 + 1 + 2 + 52));
}

struct DrawishCase {
    int total;
    uint8_t counts[5];
    bool scaled;
};
class Drawish : public ::testing::TestWithParam<DrawishCase> {};
TEST_P(Drawish, OnlyFewPiecesWithMenAndTwoKingsEachUndecided) {
    EXPECT_EQ(drawish(GetParam().total, GetParam().counts), GetParam().scaled);
}
std::string case_name(const DrawishCase& c) {
    std::string name = "total" + test::number_name(c.total) + "_pieces";
    for (int i = 1; i <= 4; ++i) name += std::to_string(c.counts[i]);
    return name;
}
INSTANTIATE_TEST_SUITE_P(
    Rule, Drawish,
    ::testing::Values(DrawishCase{500, {0, 1, 2, 1, 2}, true},
                      DrawishCase{500, {0, 1, 2, 1, 1}, false},  // one black king
                      DrawishCase{500, {0, 0, 2, 1, 2}, false},  // no white man
                      DrawishCase{500, {0, 2, 2, 2, 2}, false},  // 8 pieces
                      DrawishCase{500, {0, 1, 3, 1, 2}, true},   // 7 pieces
                      DrawishCase{30999, {0, 1, 2, 1, 2}, true},
                      DrawishCase{31000, {0, 1, 2, 1, 2}, false},  // decided
                      DrawishCase{-30999, {0, 1, 2, 1, 2}, true},
                      DrawishCase{-31000, {0, 1, 2, 1, 2}, false}),
    qv::test::CaseName());

TEST_F(EvaluationTest, TwoKingsAndAManEachIsDividedByFourTowardZero) {
    const Pos scaled{
        .white_men = {22}, .black_men = {9}, .white_kings = {1, 14}, .black_kings = {30, 19}};
    const Pos one_black_king{
        .white_men = {22}, .black_men = {9}, .white_kings = {1, 14}, .black_kings = {30}};
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
    prepare({.white_men = {21, 22, 23, 24, 25, 29, 30, 31, 32},
             .black_men = {1, 2, 3, 8, 9, 10, 11, 12, 13, 14}},
            WHITE, 1);
    EXPECT_EQ(eval_state.phase, 0);
    EXPECT_FALSE(eval_state.variant1_active);
    // A ninth (black man on 4): active, and the next preparation takes the variant table.
    prepare({.white_men = {21, 22, 23, 24, 25, 29, 30, 31, 32},
             .black_men = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14}},
            WHITE, 1);
    EXPECT_TRUE(eval_state.variant1_active);
    params.man_tables[OPENING_VARIANT1][20] = 33;
    prepare_evaluation(WHITE);
    EXPECT_EQ(eval_state.active_man_table[20], 33);
    // In the pre-final the flags are left alone.
    prepare({.white_men = {21, 22, 23}, .black_men = {1, 2, 3, 4}}, WHITE, 1);
    EXPECT_EQ(eval_state.phase, 2);
    EXPECT_TRUE(eval_state.variant1_active);
}

struct LazyCase {
    int ply;
    int16_t alpha, beta;
    bool cut;
};
class LazyCut : public EvaluationTest, public ::testing::WithParamInterface<LazyCase> {};
TEST_P(LazyCut, MarginOf185OnTheMovingSidesBound) {
    // White a man down, White root: material -2000.
    prepare({.white_men = {22, 23}, .black_men = {9, 10, 11}}, WHITE, GetParam().ply);
    const EvalBreakdown r = evaluate_with_breakdown(WHITE, GetParam().alpha, GetParam().beta);
    EXPECT_EQ(r.lazy_cut, GetParam().cut);
    if (r.lazy_cut) {
        EXPECT_EQ(r.score, -2000);
    }
}
std::string case_name(const LazyCase& c) {
    return "ply" + std::to_string(c.ply) + "_alpha" + test::number_name(c.alpha) + "_beta" +
           test::number_name(c.beta);
}
INSTANTIATE_TEST_SUITE_P(
    Margin, LazyCut,
    ::testing::Values(LazyCase{1, -1815, 0, true},  // -2000 <= -1815 - 185
                      LazyCase{1, -1816, 0, false}, LazyCase{3, -1815, 0, true},
                      LazyCase{2, -1815, -2185, true},  // even ply: -2000 >= -2185 + 185
                      LazyCase{2, -1815, -2184, false}, LazyCase{2, -32000, -32000, true}),
    qv::test::CaseName());

TEST_F(EvaluationTest, CaptureThreatOnTheLastMoveBySearchPly) {
    // White man just arrived on 18 beside a black man on 14 with 22 empty behind it.
    for (int ply : {2, 3, 4}) {
        prepare({.white_men = {18, 27, 28}, .black_men = {14, 4, 5}}, WHITE, ply);
        eval_state.last_destination = 18;
        EXPECT_EQ(full(WHITE).capture_threat, ply == 2 ? 0 : ply % 2 == 0 ? 100 : -100) << ply;
    }
    // Man facing a king does not count.
    prepare({.white_men = {18, 27, 28}, .black_men = {4, 5}, .black_kings = {14}}, WHITE, 3);
    eval_state.last_destination = 18;
    EXPECT_EQ(full(WHITE).capture_threat, 0);
}

TEST_F(EvaluationTest, FinalPhaseFavoursRootMovesByMen) {
    prepare({.white_men = {22, 23}, .black_men = {9, 10}}, WHITE, 1);
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
