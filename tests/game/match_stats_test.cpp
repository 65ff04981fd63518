// Match statistics: Elo difference, its 95% interval and the likelihood of superiority
// for scores whose values are known.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/case_name.h"
#include "game/match_stats.h"

namespace qv {
namespace {

TEST(EloOfScore, KnownPoints) {
    EXPECT_DOUBLE_EQ(elo_of_score(0.5), 0);
    EXPECT_NEAR(elo_of_score(0.75), 400 * std::log10(3.0), 1e-9);  // 3 points of 4: +190.8
    EXPECT_NEAR(elo_of_score(0.25), -400 * std::log10(3.0), 1e-9);
    EXPECT_EQ(elo_of_score(1), INFINITY);
    EXPECT_EQ(elo_of_score(0), -INFINITY);
}

struct StatsCase {
    const char* name;
    MatchScore score;
    double elo, low, high, los;
};
std::string case_name(const StatsCase& c) {
    return c.name;
}
class Estimate : public ::testing::TestWithParam<StatsCase> {};
TEST_P(Estimate, EloIntervalAndLikelihood) {
    const StatsCase& c = GetParam();
    const EloEstimate e = estimate_elo(c.score);
    const auto near = [](double got, double want) {
        if (std::isinf(want)) return got == want;
        return std::abs(got - want) < 0.05;
    };
    EXPECT_TRUE(near(e.elo, c.elo)) << e.elo;
    EXPECT_TRUE(near(e.low, c.low)) << e.low;
    EXPECT_TRUE(near(e.high, c.high)) << e.high;
    EXPECT_NEAR(e.los, c.los, 1e-4);
    EXPECT_LE(e.low, e.elo);
    EXPECT_GE(e.high, e.elo);
}
INSTANTIATE_TEST_SUITE_P(
    Scores, Estimate,
    ::testing::Values(StatsCase{"no_games", {0, 0, 0}, 0, 0, 0, 0.5},
                      StatsCase{"all_draws", {0, 10, 0}, 0, 0, 0, 0.5},
                      StatsCase{"seventy_percent", {60, 20, 20}, 147.19, 86.23, 218.25, 0.999996},
                      StatsCase{"slightly_behind", {10, 80, 12}, -6.81, -38.25, 24.51, 0.3349},
                      StatsCase{"clean_sweep", {5, 0, 0}, INFINITY, INFINITY, INFINITY, 0.98733},
                      StatsCase{"one_loss_in_four", {3, 0, 1}, 190.85, -126.45, INFINITY, 0.84134}),
    test::CaseName());

}  // namespace
}  // namespace qv
