#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "common/case_name.h"
#include "common/fen.h"
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
        prepare(test::pos("w5,30 b3"), WHITE, ply);
        EXPECT_EQ(breakthrough_term(WHITE, occupancy_of_board()), 100);
        prepare(test::pos("w5,30 b3"), BLACK, ply);
        EXPECT_EQ(breakthrough_term(BLACK, occupancy_of_board()), -100);
    }
    // With 1 occupied only the 20 for standing on 5 remains: doubled, 40.
    prepare(test::pos("w5 b1"), WHITE, 1);
    EXPECT_EQ(breakthrough_white(true), 40);
}

// Which side a term favours in a position (its sign in White's view), rather than its size:
// the sizes are the parameters' business.
enum Favours { BLACK_GAINS = -1, NEITHER = 0, WHITE_GAINS = 1 };

enum class Term { breakthrough, mobility, king_tactics, king_fork };

struct TermCase {
    Term term;
    const char* what;
    const char* position;
    bool white_to_move;
    Favours favours;
};

int term_in_white_view(const TermCase& c) {
    switch (c.term) {
        case Term::breakthrough:
            return breakthrough_white(c.white_to_move);
        case Term::mobility:
            return men_mobility_white(eval_state.phase);
        case Term::king_tactics:
            return king_tactics_white(c.white_to_move);
        case Term::king_fork:
            return king_fork_white();
    }
    return 0;
}

class Knowledge : public KnowledgeTest, public ::testing::WithParamInterface<TermCase> {};
TEST_P(Knowledge, FavoursInWhiteView) {
    prepare(test::pos(GetParam().position), WHITE, 1);
    const int v = term_in_white_view(GetParam());
    EXPECT_EQ((v > 0) - (v < 0), GetParam().favours) << GetParam().what;
}
std::string term_case_name(const ::testing::TestParamInfo<TermCase>& info) {
    static const char* const TERMS[] = {"breakthrough", "mobility", "king_tactics", "king_fork"};
    return std::string(TERMS[static_cast<int>(info.param.term)]) + "_" +
           qv::test::to_test_name(info.param.what);
}
constexpr Term BT = Term::breakthrough, MOB = Term::mobility, KT = Term::king_tactics,
               KF = Term::king_fork;
INSTANTIATE_TEST_SUITE_P(
    Terms, Knowledge,
    ::testing::Values(
        // The man nearer its crowning row is the threat; 13 against 21 is even.
        TermCase{BT, "black 20 against white 12", "w12 b20", false, BLACK_GAINS},
        TermCase{BT, "white 13 against black 21", "w13 b21", true, NEITHER},
        // Black's man on 18 breaks through whoever stands on 17.
        TermCase{BT, "black 18, white 17", "w22,17 b18,15,1", true, BLACK_GAINS},
        TermCase{BT, "black 18, black 17", "w22 b18,17,15,1", true, BLACK_GAINS},
        TermCase{BT, "men on 30 and 32 guard", "w30,32 b2", true, WHITE_GAINS},
        TermCase{BT, "6 blocked in front", "w6 b1,2", true, BLACK_GAINS},
        // White's 10 with 2, 6 and 7 open goes through, a black king or not.
        TermCase{BT, "10, Black without king", "w10 W1,3", false, WHITE_GAINS},
        TermCase{BT, "10, Black with a king", "w10 W1,3 B16", false, WHITE_GAINS},
        // A lone man is weak for the holes behind it, even with squares free in front.
        TermCase{MOB, "black man on 9", "b9", true, BLACK_GAINS},
        TermCase{MOB, "white man on 24", "w24", true, BLACK_GAINS},
        TermCase{MOB, "black man on 8", "b8", true, BLACK_GAINS},
        TermCase{MOB, "white man on 25", "w25", true, BLACK_GAINS},
        // White's 18 can be jumped by Black's 14, which 9 covers.
        TermCase{MOB, "white 18 hanging to 14", "w18 b14,9", true, BLACK_GAINS},
        TermCase{KT, "black king 23, men 18 and 14", "w18,14 B23", false, BLACK_GAINS},
        TermCase{KT, "not its turn", "w18,14 B23", true, NEITHER},
        // Range 13..32 for both kings: Black's king on 21 scores, White's on 12 never.
        TermCase{KT, "black king 21", "w17,14 B21", false, BLACK_GAINS},
        TermCase{KT, "white king 12", "b16,19 W12", true, NEITHER},
        TermCase{KT, "black king 10", "w6,7,2 B10", false, NEITHER},
        TermCase{KT, "white king 14, men 18 and 23", "b18,23 W14", true, WHITE_GAINS},
        // A king slips beside a man two rows up to take it, one way or both.
        TermCase{KT, "slip by 18 to take 15", "w14,15 B22", false, BLACK_GAINS},
        TermCase{KT, "both ways, clamped", "w18,19,17 B26", false, BLACK_GAINS},
        TermCase{KF, "black king 14 over 17 and 18", "w17,18,30 B14", true, BLACK_GAINS},
        TermCase{KF, "black king 14 over 18 and 22", "w18,22,30 B14", true, BLACK_GAINS},
        TermCase{KF, "two white men only", "w17,18 B14", true, NEITHER},
        TermCase{KF, "landing closed", "w17,18,21 B14", true, NEITHER},
        TermCase{KF, "white king 19 over 15 and 16", "b15,16,2 W19", true, WHITE_GAINS}),
    term_case_name);

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
    const bool t = test::set_fen(c.fen) == WHITE;
    const Pattern old_row = make_pattern(c.old_row, 0);
    EXPECT_TRUE(matches(old_row, occupancy_of_board(), t, 0)) << c.old_row;
    for (const Pattern& row : men_ending_rules())
        EXPECT_STRNE(row.text, c.old_row) << "the misjudging row is still in the list";
    EXPECT_EQ(men_ending_white(t), c.verdict_now);
}

INSTANTIATE_TEST_SUITE_P(Positions, StoppedRunnerVerdict,
                         ::testing::ValuesIn(test::STOPPED_RUNNERS), test::RowName());

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
    test::place(test::pos("w13,9,30 b3,4,20"));
    EXPECT_EQ(men_ending_white(true), 180);
    // Unless Black's 2 and White's 14 stand with 18 open (the exclusion): a later rule.
    test::place(test::pos("w13,9,14 b2,25"));
    EXPECT_NE(first_men_ending(occupancy_of_board(), true), 0);
    // The later rule: W18, o23, e9, X5, e1, W14, 6 not black.
    test::place(test::pos("w18,23,14 b5,2,7"));
    EXPECT_EQ(men_ending_white(true), 120);
    EXPECT_EQ(men_ending_white(false), 0);
}

TEST(FormationTerm, TellingRulesAddUp) {
    // Back corner open with a lone 24 and a black man on 20, in the opening.
    test::place(test::pos("w24,29,30,31,25,26,27,21,22,23,17,18 b20,1,2,3,4,5,6,7,8,9,10,11"));
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
            test::mirror_board();
            prepare_evaluation(WHITE);
            EXPECT_EQ(formation_white(!t, phase), -f);
            EXPECT_EQ(men_ending_white(!t), -e);
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
