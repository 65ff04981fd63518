// Shots: positions where the side to move wins material by force (a man given up to take
// two or more back). A shallow search does not see the gain; a modest depth finds it.
#include <gtest/gtest.h>

#include "common/case_name.h"
#include "search_test_util.h"

namespace qv {
namespace {

class Shot : public ::testing::TestWithParam<const char*> {};

TEST_P(Shot, FoundAtDepthNine) {
    SearchInputs in;
    test::search_fixed(GetParam(), 2, in);
    EXPECT_LT(search.last_score, 1000) << "not a hidden gain at depth 2";
    in = SearchInputs{};
    test::search_fixed(GetParam(), 9, in);
    EXPECT_GE(search.last_score, 1500) << "a man won by force";
    EXPECT_LT(search.last_score, 30000);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Shot,
    ::testing::Values("B:W17,18,19,21,22,24,27,28,31,32:B1,5,6,7,8,9,10,11,15,16",
                      "B:W17,18,21,22,23,24,27,28,31,32:B1,5,6,7,8,9,10,11,12,16",
                      "B:W17,19,21,23,24,25,26,27,28,31,32:B1,4,5,6,7,9,10,11,12,14,16",
                      "W:W17,18,22,23,24,25,26,27,28,30,32:B1,5,6,7,8,9,10,11,12,13,16",
                      "W:W18,21,22,23,24,25,26,27,28,30,32:B1,4,5,6,8,9,10,11,12,13,16",
                      "W:W8,17,21,23,25,26,27,28,32:B1,5,6,9,10,11,14,15,16",
                      "W:WK4,17,18,19,22,27,28,32:B5,6,9,10,11,13,16,20",
                      "W:WK4,17,18,22,23,27,28,32:B5,6,9,10,11,13,15,16",
                      "W:WK4,17,21,22,23,25,27,28,32:B1,6,9,10,11,13,14,15,16",
                      "W:WK3,17,18,20,21,24:B1,9,10,11,15,K31"),
    test::TextName());

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Won endings inside the tables, played out by the engine for both sides.
class TableEnding : public ::testing::TestWithParam<const char*> {};

TEST_P(TableEnding, PlayedToTheWin) {
    SearchInputs first;
    test::search_fixed(GetParam(), 6, first);  // fresh engine state, tables loaded
    int side = test::set_fen(GetParam());
    const int winner = side;
    static SearchInputs in;
    for (int ply = 0; ply < 80; ++ply) {
        in = SearchInputs{};
        in.fixed_depth = 6;
        search.last_score = 0;
        const uint8_t r = choose_move(side, in);
        if (r == NO_MOVE) {
            EXPECT_NE(side, winner) << "the winning side ran out of moves";
            return;
        }
        play_move(move_lists[1][r == SINGLE_MOVE ? 0 : r]);
        side = 1 - side;
    }
    ADD_FAILURE() << "not won within 80 plies";
}
INSTANTIATE_TEST_SUITE_P(Positions, TableEnding,
                         ::testing::Values("W:WK22,K18:BK11", "W:WK14,30:BK3", "W:W21,26:B10",
                                           "B:W10:B21,26"),
                         test::TextName());

}  // namespace
}  // namespace qv
