// The alpha-beta search: fixed values, extensions, pruning rules, killers, tactics.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "board/host.h"
#include "board/movegen.h"
#include "common/case_name.h"
#include "eval/egdb.h"
#include "eval/evaluate.h"
#include "eval/perfect_tables.h"
#include "search/search.h"
#include "search_test_util.h"

namespace qv {
namespace {

// Keeps the root lines the window would show, by move text.
struct RootLines : Host {
    std::map<std::string, int> value;
    void set_root_move(int, std::string_view text) override {
        const std::string t(text);
        if (t.find('?') != std::string::npos) return;
        value[t.substr(0, 5)] = std::stoi(t.substr(8));
    }
};

TEST(Search, LastPieceTakenAtRootGives31999AndItsLine) {
    SearchInputs in;
    const uint8_t r = test::search_fixed("W:WK14,K22:B18", 6, in);
    EXPECT_EQ(search.last_score, 31999);
    const Move& m = move_lists[1][r];
    EXPECT_EQ(m.captures, 1);
    EXPECT_TRUE(same_move(search.pv_table[1][1], m));
    EXPECT_EQ(search.pv_table[1][2].from, 0);
    EXPECT_EQ(search.iteration_depth, 1);  // a decided win ends the iterations
}

TEST(Search, OpponentWithoutMoveBeforeTheHorizon) {
    SearchInputs in;
    test::search_fixed("W:W13,20,21,23:B9,16", 2, in);  // 21-18 leaves Black no move
    EXPECT_EQ(search.last_score, 31998);
    test::search_fixed("W:W13,20,21,23:B9,16", 1, in);  // beyond the horizon: static value
    EXPECT_LT(search.last_score, 30000);
}

TEST(Search, CaptureListsBeyondTheHorizonAreSearched) {
    RootLines lines;
    set_host(&lines);
    SearchInputs in;
    test::search_fixed("W:W20,21,22:B9,10,14", 1, in);
    set_host(nullptr);
    // 21-18 and 22-19 give a man away; only the capture at ply 2 shows it at depth 1
    EXPECT_LE(lines.value["21-18"], -700);
    EXPECT_LE(lines.value["22-19"], -700);
    EXPECT_GE(lines.value["22-18"], -300);
    EXPECT_GE(search.last_score, -600);
}

TEST(Search, KingAgainstKingIsProbedFromPlyTwo) {
    test::set_fen("W:WK22:BK11");
    start_engine();
    prepare_evaluation(WHITE);
    movegen.ply = 2;
    int16_t probe = 0;
    if (!probe_endgame(WHITE, 2, probe)) GTEST_SKIP() << "endgame tables not available";
    SearchInputs in;
    test::search_fixed("W:WK22:BK11", 8, in);
    EXPECT_EQ(search.node_count, 8 * (1 + move_count[1]));  // per iteration: root, one probe a move
    EXPECT_EQ(search.last_score, probe);
}

struct KingsCase {
    const char* fen;
    int kings_side;
    int men;
    int16_t expected;
};
class KingsAgainstMen : public ::testing::TestWithParam<KingsCase> {};

TEST_P(KingsAgainstMen, RecogniserDecides) {
    const auto c = GetParam();
    test::set_fen(c.fen);
    if (!recognise_kings_against_men(c.men, c.kings_side == BLACK))
        GTEST_SKIP() << "recogniser does not know this ending";
    SearchInputs in;
    perfect_search_enabled = false;  // the tables would answer first (and more exactly)
    test::search_fixed(c.fen, 4, in);
    perfect_search_enabled = true;
    EXPECT_EQ(search.last_score, c.expected);
}
INSTANTIATE_TEST_SUITE_P(Cases, KingsAgainstMen,
                         ::testing::Values(KingsCase{"W:WK4,K17:B1,5,9", WHITE, 3, 31001},
                                           KingsCase{"B:W24,28,32:BK29,K16", BLACK, 3, 31001}),
                         qv::test::NameBy<&KingsCase::fen>());

struct PruneCase {
    const char* name;
    int pieces, quiet, g, e, depth;
    bool advancing;
    Prune action;
};
class ForcedLine : public ::testing::TestWithParam<PruneCase> {};

TEST_P(ForcedLine, Thresholds) {
    const auto c = GetParam();
    EXPECT_EQ(forced_line(c.pieces, c.quiet, c.g, c.e, c.depth, c.advancing), c.action);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, ForcedLine,
    ::testing::Values(PruneCase{"too_few_pieces", 6, 4, -4, 9, 8, false, Prune::none},
                      PruneCase{"one_quiet_ply", 7, 1, -4, 9, 8, false, Prune::none},
                      PruneCase{"behind_quiet_over_half", 7, 5, -1, 2, 8, false, Prune::value_move},
                      PruneCase{"quiet_half", 7, 4, -1, 2, 8, false, Prune::none},
                      PruneCase{"advancing_blocks", 7, 5, -1, 2, 8, true, Prune::none},
                      PruneCase{"man_down_last_ply", 7, 2, -1, 8, 8, false, Prune::value_move},
                      PruneCase{"man_down_earlier", 7, 2, -1, 7, 8, false, Prune::none},
                      PruneCase{"two_down_one_earlier", 7, 2, -2, 7, 8, false, Prune::value_move},
                      PruneCase{"two_down_two_earlier", 7, 2, -2, 6, 8, false, Prune::none},
                      PruneCase{"three_down_in_last_four", 7, 2, -3, 5, 8, false,
                                Prune::value_move},
                      PruneCase{"three_down_before", 7, 2, -3, 4, 8, false, Prune::none},
                      PruneCase{"four_down_ends", 7, 2, -4, 5, 8, true, Prune::end_node},
                      PruneCase{"even", 7, 2, 0, 9, 8, false, Prune::none}),
    qv::test::RowName());

TEST(Search, RepeatsGameMatchesOnlyTheSameQuietMove) {
    // Plies 1..6: W 22-18, B 11-15, W 18-22, B 15-11, W 22-18, B 11-15 (internal squares)
    SearchInputs in;
    const GameMove a{27, 23, 0}, b{12, 16, 0}, a_back{23, 27, 0}, b_back{16, 12, 0};
    in.line[1] = a, in.line[2] = b, in.line[3] = a_back, in.line[4] = b_back;
    in.line[5] = a, in.line[6] = b;
    Move back;
    back.from = 23, back.to = 27;
    EXPECT_TRUE(repeats_game(back, in, 6));   // the move of ply 3 again
    EXPECT_FALSE(repeats_game(back, in, 5));  // never before ply 6
    Move other;
    other.from = 23, other.to = 19;
    EXPECT_FALSE(repeats_game(other, in, 6));
    in.line[6].captures = 1;  // same squares, but a capture
    EXPECT_FALSE(repeats_game(back, in, 6));
}

TEST(Search, KillersKeepTheBetterScoreForTheSideToMove) {
    clear_killers();
    Move a, b, c;
    a.from = 21, a.to = 17;
    b.from = 22, b.to = 18;
    c.from = 23, c.to = 19;
    update_killers(a, 100, 3);
    update_killers(b, 300, 3);
    update_killers(c, 200, 3);
    EXPECT_TRUE(same_move(search.killer_table[3][0], b));
    EXPECT_TRUE(same_move(search.killer_table[3][1], c));
    update_killers(a, 100, 4);
    update_killers(b, 300, 4);  // even ply: smaller is better
    EXPECT_TRUE(same_move(search.killer_table[4][0], a));
    EXPECT_TRUE(same_move(search.killer_table[4][1], b));
    note_best_move(a, 50, 4);  // equal to killer 1: not noted
    EXPECT_EQ(search.best_move_table[4].from, 0);
}

TEST(Search, CopyPvJoinsTheLineBelow) {
    for (auto& row : search.pv_table)
        for (auto& m : row) m = Move{};
    Move a, b, c;
    a.from = 1, b.from = 2, c.from = 3;
    copy_pv(c, 3);
    copy_pv(b, 2);
    copy_pv(a, 1);
    EXPECT_EQ(search.pv_table[1][1].from, 1);
    EXPECT_EQ(search.pv_table[1][2].from, 2);
    EXPECT_EQ(search.pv_table[1][3].from, 3);
    EXPECT_EQ(search.pv_table[1][4].from, 0);
    EXPECT_EQ(search.pv_table[2][2].from, 0);  // row below emptied
}

GameMove game_move(int from, int to) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            0};
}

// Kings shuffling: W 22-18, B 11-15, W 18-22, B 15-11, W 22-18, B 11-15. At ply 6 the
// root move 18-22 repeats the game and scores 0; without that history it scores high.
TEST(Search, RootRepetitionScoresZero) {
    const char* fen = "W:WK18,25,26,27:BK15,5,6";
    RootLines with, without;
    SearchInputs in;
    set_host(&without);
    test::search_fixed(fen, 6, in);
    in = SearchInputs{};
    in.game_ply = 6;
    const int plies[6][2] = {{22, 18}, {11, 15}, {18, 22}, {15, 11}, {22, 18}, {11, 15}};
    for (int k = 0; k < 6; ++k) in.line[k + 1] = game_move(plies[k][0], plies[k][1]);
    set_host(&with);
    test::search_fixed(fen, 6, in);
    set_host(nullptr);
    EXPECT_EQ(with.value["18-22"], 0);
    EXPECT_GT(without.value["18-22"], 500);
    EXPECT_EQ(with.value["18-14"], without.value["18-14"]);
}

// Shots: positions where the side to move wins material by force (a man given up to take
// two or more back). A shallow search does not see the gain; a modest depth finds it.
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
