// The driver: time allotment, early answers, fixed depths, stops.
#include <gtest/gtest.h>

#include "board/host.h"
#include "board/movegen.h"
#include "common/case_name.h"
#include "search/search.h"
#include "search_test_util.h"

namespace qv {
namespace {

struct AllotCase {
    const char* name;
    int32_t budget, limit, start;
    int ply;
    bool analysis;
    int32_t allotted, hard_limit, cap;
};
class Allot : public ::testing::TestWithParam<AllotCase> {};

TEST_P(Allot, IntegerFormula) {
    const auto c = GetParam();
    const Allotment a = allot_time(c.budget, c.limit, c.start, c.ply, c.analysis);
    EXPECT_EQ(a.allotted, c.allotted);
    EXPECT_EQ(a.hard_limit, c.hard_limit);
    EXPECT_EQ(a.clock_cap, c.cap);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, Allot,
    ::testing::Values(
        // "30 coups en 3 mn" at ply 0: 160/60*9/10 = 1
        AllotCase{"first_move", 160, 178, 0, 0, false, 1, 5, 178},
        // ply 60: (3*160/2 - 0) / 30 = 8, *9/10 = 7; cap 61*178/60
        AllotCase{"ply_60", 160, 178, 0, 60, false, 7, 35, 180},
        // clock used up at ply 60: (240-230)/30 = 0 -> 1 -> B/90 = 1 (1 + 230 >= 178: no)
        AllotCase{"clock_used_up", 160, 178, 230, 60, false, 1, 5, 180},
        AllotCase{"budget_30_keeps_0", 30, 58, 40, 10, false, 0, 0, 58},
        AllotCase{"lifted_to_budget_over_90", 1680, 1798, 1600, 50, false, 18, 90, 1798},
        AllotCase{"capped_at_budget_over_10", 1680, 1798, 0, 59, false, 168, 840, 1798},
        AllotCase{"analysis_budget_over_30", 540, 598, 300, 20, true, 18, 90, 598}),
    qv::test::RowName());

TEST(Driver, NoPieceOrNoMoveGivesNoMove) {
    SearchInputs in;
    EXPECT_EQ(test::search_fixed("W:W21,22:B", 4, in), NO_MOVE);
    // White man on 5 blocked by black men on 1 and 2? it moves toward 1..4: use a full block
    EXPECT_EQ(test::search_fixed("W:W5:B1,2", 4, in), NO_MOVE);
}

TEST(Driver, SingleMoveAnsweredWithoutSearch) {
    SearchInputs in;
    EXPECT_EQ(test::search_fixed("W:W22:B18,1", 4, in), SINGLE_MOVE);
    EXPECT_EQ(search.node_count, 0);
}

TEST(Driver, FixedDepthLevelStopsAfterDepthFour) {
    SearchInputs in;
    in.time_budget = 3;
    in.clock_limit = 358;
    start_engine();
    search.library_enabled = 0;
    search.last_score = 0;
    const int side = test::set_fen(START_FEN);
    const uint8_t r = choose_move(side, in);
    EXPECT_LT(r, move_count[1]);
    EXPECT_EQ(search.iteration_depth, 4);
}

// A host that stops (and abandons) the search at its first poll inside an iteration
// (a poll resets poll_count before handing over; the call after an iteration does not).
struct StoppingHost : Host {
    bool abandon = false;
    int stopped_at_depth = 0;
    void process_events() override {
        if (search.poll_count != 0 || search.stop_requested) return;
        search.stop_requested = 1;
        stopped_at_depth = search.iteration_depth;
        if (abandon) search.search_abandoned = 1;
    }
};

// White a man up: every completed iteration scores well above 0.
constexpr const char* MAN_UP = "W:W17,21,22,25,26,27,29,30,31,32:B1,2,3,5,6,7,9,11,14";

TEST(Driver, AbandonedSearchReturnsZero) {
    StoppingHost h;
    h.abandon = true;
    set_host(&h);
    SearchInputs in;
    in.no_time_limit = true;
    const uint8_t r = test::search_fixed(MAN_UP, 0, in);
    set_host(nullptr);
    EXPECT_GT(h.stopped_at_depth, 1);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(search.last_score, 0);
    search.search_abandoned = 0;
}

TEST(Driver, StopReturnsBestSoFarWithPreviousScore) {
    StoppingHost h;
    set_host(&h);
    SearchInputs in;
    in.no_time_limit = true;
    const uint8_t r = test::search_fixed(MAN_UP, 0, in);
    set_host(nullptr);
    ASSERT_GT(h.stopped_at_depth, 1);
    EXPECT_EQ(r, search.interrupted_best);
    EXPECT_GT(search.last_score, 1000);  // the last completed iteration's value
}

}  // namespace
}  // namespace qv
