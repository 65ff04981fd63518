// Opening lists and position table: reading rules, consultation window, file round trips.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "board/data_dir.h"
#include "board/movegen.h"
#include "common/case_name.h"
#include "files/temp_dir.h"
#include "search/book.h"
#include "search/position_table.h"
#include "search_test_util.h"

namespace qv {
namespace {

// Internal squares of notation numbers, for readable expectations.
BookCandidate cand(int from, int to) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to))};
}

void set_list(int side, std::vector<std::string> lines) {
    book.lists[side] = std::move(lines);
}

// The driver follows a matching line only early in the game: in the first two plies while
// both sides still have their twelve men, then up to ply 41 whatever the material.
struct WindowCase {
    int ply;
    bool twelve_men_each;
    bool from_library;
};
std::string case_name(const WindowCase& c) {
    return "ply" + std::to_string(c.ply) + (c.twelve_men_each ? "_twelve_each" : "_man_short");
}
class BookWindow : public ::testing::TestWithParam<WindowCase> {};
TEST_P(BookWindow, LineFollowedOnlyInTheOpening) {
    const WindowCase& c = GetParam();
    start_engine();
    // A game of `ply` plies of 23-19 (the list compares lines, not positions), then 21-17.
    std::string line;
    for (int k = 0; k < c.ply; ++k) line += "23-19 ";
    set_list(WHITE, {line + "21-17 "});
    search.library_enabled = 1;
    SearchInputs in;
    in.game_ply = c.ply;
    for (int k = 1; k <= c.ply; ++k) in.line[k] = {cand(23, 19).from, cand(23, 19).to, 0};
    in.fixed_depth = 1;
    const int side = test::set_fen(
        c.twelve_men_each ? START_FEN
                          : "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11");
    const uint8_t r = choose_move(side, in);
    ASSERT_LT(r, move_count[1]);
    if (c.from_library) {
        EXPECT_EQ(search.node_count, 0);
        EXPECT_EQ(move_lists[1][r].from, square_of_label(21));
        EXPECT_EQ(move_lists[1][r].to, square_of_label(17));
    } else {
        EXPECT_GT(search.node_count, 0);
    }
    load_book_lists();
    search.library_enabled = 0;
}
INSTANTIATE_TEST_SUITE_P(Plies, BookWindow,
                         ::testing::Values(WindowCase{0, true, true}, WindowCase{2, true, true},
                                           WindowCase{2, false, false}, WindowCase{3, false, true},
                                           WindowCase{41, false, true}, WindowCase{42, true, false},
                                           WindowCase{60, true, false}),
                         test::CaseName());

TEST(Book, AdjacentDuplicatesCountOnce) {
    set_list(WHITE, {"23-19 10-14 ", "23-19 11-15 ", "21-18 9-13 ", "23-19 12-16 "});
    SearchInputs in;
    find_book_moves(WHITE, in);
    ASSERT_EQ(book.candidate_count, 3);
    EXPECT_EQ(book.book_candidates[0].from, cand(23, 19).from);
    EXPECT_EQ(book.book_candidates[1].from, cand(21, 18).from);
    EXPECT_EQ(book.book_candidates[2].to, cand(23, 19).to);  // not adjacent: counted again
}

TEST(Book, LinesMustFollowTheGame) {
    set_list(BLACK, {"23-19 10-14 19-15 ", "23-19 11-15 ", "22-18 9-13 ", "23-19 ", "23-19 x9-13 ",
                     "23-19 9-33 ", "23-19 9-13"});
    SearchInputs in;
    in.game_ply = 1;
    in.line[1] = {static_cast<uint8_t>(square_of_label(23)),
                  static_cast<uint8_t>(square_of_label(19)), 0};
    find_book_moves(BLACK, in);
    // 10-14, 11-15; the 22-18 line differs; "23-19" ends; a bad move and a bad number
    // give nothing; a one-digit number at the end of a line is read
    ASSERT_EQ(book.candidate_count, 3);
    EXPECT_EQ(book.book_candidates[0].from, cand(10, 14).from);
    EXPECT_EQ(book.book_candidates[1].from, cand(11, 15).from);
    EXPECT_EQ(book.book_candidates[2].to, cand(9, 13).to);
}

TEST(Book, DriverPlaysALibraryMoveInTheWindow) {
    start_engine();
    set_list(WHITE, {"21-17 10-14 "});
    search.library_enabled = 1;
    SearchInputs in;
    const int side = test::set_fen(START_FEN);
    const uint8_t r = choose_move(side, in);
    ASSERT_LT(r, move_count[1]);
    EXPECT_EQ(move_lists[1][r].from, square_of_label(21));
    EXPECT_EQ(move_lists[1][r].to, square_of_label(17));
    EXPECT_EQ(search.node_count, 0);
    load_book_lists();
    search.library_enabled = 0;
}

TEST(PositionTable, StoreProbeKeepDecidedAndRoundTrip) {
    ASSERT_TRUE(allocate_position_table());
    clear_position_table();
    const test::TempDir temp;
    const std::string file = (temp / "ital.dat").string();
    EXPECT_TRUE(store_position(1000, 77, 450, file));
    ASSERT_NE(probe_position(1000, 77), nullptr);
    EXPECT_EQ(probe_position(1000, 77)->score, 450);
    EXPECT_EQ(probe_position(1000, 78), nullptr);
    EXPECT_TRUE(store_position(1000 + POSITION_ENTRIES, 79, 30000, file));
    EXPECT_TRUE(store_position(1000, 80, -100, file));  // decided entry stays
    EXPECT_EQ(probe_position(1000, 79)->score, 30000);
    EXPECT_EQ(std::filesystem::file_size(file), POSITION_TABLE_BYTES);
    clear_position_table();
    ASSERT_TRUE(load_position_table(file));
    EXPECT_EQ(probe_position(1000, 79)->score, 30000);
    {
        std::ofstream shorter(file, std::ios::binary | std::ios::trunc);
        shorter << "short";
    }
    EXPECT_FALSE(load_position_table(file));  // refused, table unchanged
    EXPECT_EQ(probe_position(1000, 79)->score, 30000);
    ASSERT_TRUE(load_position_table(data_path("ital.dat").string()));
}

// Every line of the shipped lists replays as legal moves from the start position.
class ShippedList : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedList, EveryLineReplays) {
    std::ifstream in(data_path(GetParam()), std::ios::binary);
    ASSERT_TRUE(in) << GetParam();
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        ++count;
        test::set_fen(START_FEN);
        int side = WHITE, plies = 0;
        size_t i = 0;
        while (i < line.size()) {
            int from = 0, to = 0, n = 0;
            if (std::sscanf(line.c_str() + i, "%d-%d%n", &from, &to, &n) != 2) break;
            i += n;
            while (i < line.size() && line[i] == ' ') ++i;
            const int moves = legal_moves(side);
            int k = 0;
            while (k < moves && (move_lists[1][k].from != square_of_label(from) ||
                                 move_lists[1][k].to != square_of_label(to)))
                ++k;
            ASSERT_LT(k, moves) << line << ": ply " << plies + 1;
            play_move(move_lists[1][k]);
            side = 1 - side;
            ++plies;
        }
        EXPECT_EQ(i, line.size()) << line;
        EXPECT_GE(plies, 8) << line;
        EXPECT_LE(plies, 16) << line;
    }
    EXPECT_GE(count, 40);
}
INSTANTIATE_TEST_SUITE_P(Lists, ShippedList, ::testing::Values("ouvert_b.ouv", "ouvert_n.ouv"),
                         test::TextName());

}  // namespace
}  // namespace qv
