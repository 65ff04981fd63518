#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "board/fen.h"
#include "common/case_name.h"
#include "common/men_ending_counterexamples.h"
#include "eval/knowledge.h"
#include "eval/params.h"
#include "eval_test_util.h"

namespace qv {
namespace {

using test::Pos;
using test::prepare;

class KnowledgeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(load_default_parameters()); }
};

TEST_F(KnowledgeTest, ManOnFiveWithOneEmptyIsWorthTheFullClamp) {
    for (int ply : {1, 2}) {
        prepare({.white_men = {5, 30}, .black_men = {3}}, WHITE, ply);
        EXPECT_EQ(breakthrough_term(WHITE, occupancy_of_board()), 100);
        prepare({.white_men = {5, 30}, .black_men = {3}}, BLACK, ply);
        EXPECT_EQ(breakthrough_term(BLACK, occupancy_of_board()), -100);
    }
    // With 1 occupied only the 20 for standing on 5 remains: doubled, 40.
    prepare({.white_men = {5}, .black_men = {1}}, WHITE, 1);
    EXPECT_EQ(breakthrough_white(true), 40);
}

// Which side a term favours in a position (its sign in White's view), rather than its size:
// the sizes are the parameters' business.
enum Favours { BLACK_GAINS = -1, NEITHER = 0, WHITE_GAINS = 1 };

struct TermCase {
    const char* what;
    Pos position;
    bool white_to_move;
    Favours favours;
};

int sign_of(int value) {
    return (value > 0) - (value < 0);
}
void PrintTo(const TermCase& c, std::ostream* os) {
    *os << c.what;
}

class Breakthrough : public KnowledgeTest, public ::testing::WithParamInterface<TermCase> {};
TEST_P(Breakthrough, WhiteView) {
    prepare(GetParam().position, WHITE, 1);
    EXPECT_EQ(sign_of(breakthrough_white(GetParam().white_to_move)), GetParam().favours)
        << GetParam().what;
}
std::string case_name(const TermCase& c) {
    return c.what;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Breakthrough,
    ::testing::Values(
        // The man nearer its crowning row is the threat; 13 against 21 is even.
        TermCase{"black 20 against white 12",
                 {.white_men = {12}, .black_men = {20}},
                 false,
                 BLACK_GAINS},
        TermCase{
            "white 13 against black 21", {.white_men = {13}, .black_men = {21}}, true, NEITHER},
        // Black's man on 18 breaks through whoever stands on 17.
        TermCase{"black 18, white 17",
                 {.white_men = {22, 17}, .black_men = {18, 15, 1}},
                 true,
                 BLACK_GAINS},
        TermCase{"black 18, black 17",
                 {.white_men = {22}, .black_men = {18, 17, 15, 1}},
                 true,
                 BLACK_GAINS},
        TermCase{
            "men on 30 and 32 guard", {.white_men = {30, 32}, .black_men = {2}}, true, WHITE_GAINS},
        TermCase{"6 blocked in front", {.white_men = {6}, .black_men = {1, 2}}, true, BLACK_GAINS},
        // White's 10 with 2, 6 and 7 open goes through, a black king or not.
        TermCase{"10, Black without king",
                 {.white_men = {10}, .white_kings = {1, 3}},
                 false,
                 WHITE_GAINS},
        TermCase{"10, Black with a king",
                 {.white_men = {10}, .white_kings = {1, 3}, .black_kings = {16}},
                 false,
                 WHITE_GAINS}),
    qv::test::CaseName());

class Mobility : public KnowledgeTest, public ::testing::WithParamInterface<TermCase> {};
TEST_P(Mobility, WhiteView) {
    prepare(GetParam().position, WHITE, 1);
    EXPECT_EQ(sign_of(men_mobility_white(eval_state.phase)), GetParam().favours) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Mobility,
    ::testing::Values(
        // A lone man is weak for the holes behind it, even with squares free in front.
        TermCase{"black man on 9", {.black_men = {9}}, true, BLACK_GAINS},
        TermCase{"white man on 24", {.white_men = {24}}, true, BLACK_GAINS},
        TermCase{"black man on 8", {.black_men = {8}}, true, BLACK_GAINS},
        TermCase{"white man on 25", {.white_men = {25}}, true, BLACK_GAINS},
        // White's 18 can be jumped by Black's 14, which 9 covers.
        TermCase{"white 18 hanging to 14",
                 {.white_men = {18}, .black_men = {14, 9}},
                 true,
                 BLACK_GAINS}),
    qv::test::CaseName());

class KingTactics : public KnowledgeTest, public ::testing::WithParamInterface<TermCase> {};
TEST_P(KingTactics, WhiteView) {
    prepare(GetParam().position, WHITE, 1);
    EXPECT_EQ(sign_of(king_tactics_white(GetParam().white_to_move)), GetParam().favours)
        << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, KingTactics,
    ::testing::Values(
        TermCase{"black king 23, men 18 and 14",
                 {.white_men = {18, 14}, .black_kings = {23}},
                 false,
                 BLACK_GAINS},
        TermCase{"not its turn", {.white_men = {18, 14}, .black_kings = {23}}, true, NEITHER},
        // Range 13..32 for both kings: Black's king on 21 scores, White's on 12 never.
        TermCase{"black king 21", {.white_men = {17, 14}, .black_kings = {21}}, false, BLACK_GAINS},
        TermCase{"white king 12", {.black_men = {16, 19}, .white_kings = {12}}, true, NEITHER},
        TermCase{"black king 10", {.white_men = {6, 7, 2}, .black_kings = {10}}, false, NEITHER},
        TermCase{"white king 14, men 18 and 23",
                 {.black_men = {18, 23}, .white_kings = {14}},
                 true,
                 WHITE_GAINS},
        // A king slips beside a man two rows up to take it, one way or both.
        TermCase{"slip by 18 to take 15",
                 {.white_men = {14, 15}, .black_kings = {22}},
                 false,
                 BLACK_GAINS},
        TermCase{"both ways, clamped",
                 {.white_men = {18, 19, 17}, .black_kings = {26}},
                 false,
                 BLACK_GAINS}),
    qv::test::CaseName());

class KingFork : public KnowledgeTest, public ::testing::WithParamInterface<TermCase> {};
TEST_P(KingFork, WhiteView) {
    prepare(GetParam().position, WHITE, 1);
    EXPECT_EQ(sign_of(king_fork_white()), GetParam().favours) << GetParam().what;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, KingFork,
    ::testing::Values(
        TermCase{"black king 14 over 17 and 18",
                 {.white_men = {17, 18, 30}, .black_kings = {14}},
                 true,
                 BLACK_GAINS},
        TermCase{"black king 14 over 18 and 22",
                 {.white_men = {18, 22, 30}, .black_kings = {14}},
                 true,
                 BLACK_GAINS},
        TermCase{"two white men only", {.white_men = {17, 18}, .black_kings = {14}}, true, NEITHER},
        TermCase{"landing closed", {.white_men = {17, 18, 21}, .black_kings = {14}}, true, NEITHER},
        TermCase{"white king 19 over 15 and 16",
                 {.black_men = {15, 16, 2}, .white_kings = {19}},
                 true,
                 WHITE_GAINS}),
    qv::test::CaseName());

// ---- the rule tables ---------------------------------------------------------------------

// The row's own squares (an occupied square gets a man that the row allows) plus its extras.
void place_example(const Pattern& p, bool mirror) {
    clear_board();
    for (int s = 1; s <= 32; ++s) {
        const uint32_t b = uint32_t{1} << (s - 1);
        if (p.white & b) board[s] = WHITE_MAN;
        if (p.black & b) board[s] = BLACK_MAN;
        if (p.occupied & b) board[s] = p.not_white & b ? BLACK_MAN : WHITE_MAN;
    }
    std::istringstream extras(p.example);
    for (std::string t; extras >> t;) {
        int s = std::stoi(t.substr(1));
        if (mirror) s = 33 - s;
        board[s] = (t[0] == 'W') != mirror ? WHITE_MAN : BLACK_MAN;
    }
}

bool turn_of(const Pattern& p) {
    return p.turn != Turn::BLACK_TO_MOVE;
}

TEST(MenEndingTable, EveryRowIsTheFirstMatchOfItsTestPosition) {
    const auto rules = men_ending_rules();
    ASSERT_GE(rules.size(), 80u);
    for (size_t i = 0; i < rules.size(); ++i) {
        const Pattern& p = rules[i];
        place_example(p, i % 2 == 1);
        EXPECT_EQ(first_men_ending(occupancy_of_board(), turn_of(p)), static_cast<int>(i))
            << "row " << i << ": " << p.text;
        EXPECT_EQ(men_ending_white(turn_of(p)), p.value) << p.text;
    }
}

// Positions the old rows misjudged: the old row matched, and the rows now say otherwise.
class StoppedRunnerVerdict : public ::testing::TestWithParam<test::StoppedRunner> {};

TEST_P(StoppedRunnerVerdict, TheOldRowMatchedAndTheVerdictIsNowTheRowsOwn) {
    const test::StoppedRunner& c = GetParam();
    Position p;
    std::string error;
    ASSERT_TRUE(parse_fen(c.fen, p, error)) << error;
    set_position(p);
    const bool t = p.side_to_move == WHITE;
    const Pattern old_row = make_pattern(c.old_row, 0);
    EXPECT_TRUE(matches(old_row, occupancy_of_board(), t, 0)) << c.old_row;
    for (const Pattern& row : men_ending_rules())
        EXPECT_STRNE(row.text, c.old_row) << "the misjudging row is still in the list";
    EXPECT_EQ(men_ending_white(t), c.verdict_now);
}

INSTANTIATE_TEST_SUITE_P(Positions, StoppedRunnerVerdict,
                         ::testing::ValuesIn(test::STOPPED_RUNNERS), test::CaseName());

TEST(FormationTable, EveryRowMatchesItsTestPosition) {
    const auto rules = formation_rules();
    ASSERT_GE(rules.size(), 40u);
    for (size_t i = 0; i < rules.size(); ++i) {
        const Pattern& p = rules[i];
        place_example(p, i % 2 == 1);
        EXPECT_TRUE(matches(p, occupancy_of_board(), turn_of(p), p.min_phase)) << p.text;
        test::mirror_board();
        EXPECT_TRUE(matches(rules[i ^ 1], occupancy_of_board(), !turn_of(p), p.min_phase))
            << "the mirror of " << p.text;
    }
}

TEST(MenEndings, TheClassicBreakthroughFrom13) {
    // 13 with 6 and 1 open and a partner on 9: +180 for White to move.
    test::place({.white_men = {13, 9, 30}, .black_men = {3, 4, 20}});
    EXPECT_EQ(men_ending_white(true), 180);
    // Unless Black's 2 and White's 14 stand with 18 open (the exclusion): a later rule.
    test::place({.white_men = {13, 9, 14}, .black_men = {2, 25}});
    EXPECT_NE(first_men_ending(occupancy_of_board(), true), 0);
    // The later rule: W18, o23, e9, X5, e1, W14, 6 not black.
    test::place({.white_men = {18, 23, 14}, .black_men = {5, 2, 7}});
    EXPECT_EQ(men_ending_white(true), 120);
    EXPECT_EQ(men_ending_white(false), 0);
}

TEST(FormationTerm, TellingRulesAddUp) {
    // Back corner open with a lone 24 and a black man on 20, in the opening.
    test::place({.white_men = {24, 29, 30, 31, 25, 26, 27, 21, 22, 23, 17, 18},
                 .black_men = {20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}});
    // White: corner -10 -10 -25, -10 in phase 0; 18 backed +8; 21 and 29 on the edge -4;
    // the chain 22-26-30 +4. Black, by the mirrored rules: its edge man on 20 is blocked by
    // White's 24 (+5), its chain 11-7-3 stands (-4).
    EXPECT_EQ(formation_white(true, 0), -10 - 10 - 25 - 10 + 8 - 4 + 4 + 5 - 4);
    // The pre-final keeps only the ungated rules.
    EXPECT_EQ(formation_white(true, 2), -10 - 10 - 25 + 5);
}

// The colour mirror: square s -> 33 - s, colours and turn swapped: the value is negated.
class MirrorProperty : public ::testing::TestWithParam<int> {};
TEST_P(MirrorProperty, FormationAndPatternsAreExactMirrors) {
    ASSERT_TRUE(load_default_parameters());
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    for (int n = 0; n < 400; ++n) {
        test::random_position(rng, 12);
        for (int s = 1; s <= 32; ++s)  // men only
            if (is_king(board[s])) board[s] = EMPTY;
        prepare_evaluation(WHITE);
        for (bool t : {true, false}) {
            const int phase = n % 4;
            const int f = formation_white(t, phase), e = men_ending_white(t);
            const int fork = king_fork_white();
            test::mirror_board();
            prepare_evaluation(WHITE);
            EXPECT_EQ(formation_white(!t, phase), -f);
            EXPECT_EQ(men_ending_white(!t), -e);
            EXPECT_EQ(king_fork_white(), -fork);
            test::mirror_board();
            prepare_evaluation(WHITE);
        }
    }
}
INSTANTIATE_TEST_SUITE_P(Seeds, MirrorProperty, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return "seed" + std::to_string(info.param); });

TEST(KingForkMirror, KingsOnInnerSquares) {
    std::mt19937 rng(7);
    for (int n = 0; n < 400; ++n) {
        test::random_position(rng, 8);
        prepare_evaluation(WHITE);
        const int fork = king_fork_white();
        test::mirror_board();
        prepare_evaluation(WHITE);
        EXPECT_EQ(king_fork_white(), -fork);
    }
}

}  // namespace
}  // namespace qv
