// The positions the old men-ending rows called a runaway, searched deep with the endgame
// tables: Black stops the man, and White is not even a man up.
#include <gtest/gtest.h>

#include "common/men_ending_counterexamples.h"
#include "search_test_util.h"

namespace qv {
namespace {

constexpr int DEPTH = 16;
constexpr int A_MAN = 2000;

class StoppedRunnerSearch : public ::testing::TestWithParam<test::StoppedRunner> {};

TEST_P(StoppedRunnerSearch, IsNotWonForWhite) {
    SearchInputs in;
    const uint8_t r = test::search_fixed(GetParam().fen, DEPTH, in);
    ASSERT_LT(r, 70) << "a move was chosen";
    const int side = test::set_fen(GetParam().fen);
    const int white_view = side == WHITE ? search.last_score : -search.last_score;
    EXPECT_LT(white_view, A_MAN / 2) << "depth " << DEPTH;
}

INSTANTIATE_TEST_SUITE_P(Positions, StoppedRunnerSearch, ::testing::ValuesIn(test::STOPPED_RUNNERS),
                         test::RowName());

}  // namespace
}  // namespace qv
