// Opening lists and position table: reading rules, consultation window, file round trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "board/data_dir.h"
#include "board/movegen.h"
#include "common/case_name.h"
#include "files/temp_dir.h"
#include "search/book.h"
#include "search/book_edit.h"
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

// A self-play game; its first capture is Black's 14x23 at ply 6, so from ply 8 on a man is short.
constexpr const char* GAME_MOVES[] = {
    "21-18", "10-14", "25-21", "12-15", "23-19", "14x23", "28x12", "08x15", "22-19",
    "15x22", "26x19", "11-14", "19x10", "06x22", "27x18", "05-10", "24-20", "07-11",
    "32-28", "10-13", "30-26", "13x22", "26x19", "02-06", "21-18", "01-05", "19-14",
    "06-10", "14x07", "04x11", "28-23", "10-14", "29-25", "14x21", "25x18", "05-10",
    "23-19", "10-13", "18-14", "11x18", "19-14", "18-21", "20-15", "21-26", "14-10",
    "26-30", "31-28", "30-27", "15-12", "27-23", "28-24", "23-20", "10-05", "20-16",
    "12-08", "13-18", "05-02", "18-22", "08-04", "16-12", "24-20"};

// Plays the game's first `plies` moves from the start, recording them as the game line.
int play_game_start(int plies, SearchInputs& in) {
    int side = test::set_fen(START_FEN);
    for (int k = 0; k < plies; ++k) {
        const std::string token = GAME_MOVES[k];
        const int from = square_of_label(std::stoi(token.substr(0, 2)));
        const int to = square_of_label(std::stoi(token.substr(3, 2)));
        const int n = legal_moves(side);
        int m = 0;
        while (m < n && (move_lists[1][m].from != from || move_lists[1][m].to != to)) ++m;
        EXPECT_LT(m, n) << "ply " << k + 1 << " " << token;
        if (m == n) return side;
        const Move move = move_lists[1][m];
        play_move(move);
        in.line[++in.game_ply] = {move.from, move.to, move.captures};
        side = 1 - side;
    }
    return side;
}

// The driver follows a matching line of the side to move only early in a game played from
// the start: in the first two plies (both sides have their twelve men), then up to ply 41
// whatever the material. The list's line is the game so far followed by the game's next move.
struct WindowCase {
    int ply;
    bool from_library;
};
class BookWindow : public ::testing::TestWithParam<WindowCase> {};
TEST_P(BookWindow, LineFollowedOnlyInTheOpening) {
    const WindowCase& c = GetParam();
    start_engine();
    SearchInputs in;
    const int side = play_game_start(c.ply, in);
    std::string line;
    for (int k = 0; k <= c.ply; ++k) line += std::string(GAME_MOVES[k]) + " ";
    set_list(side, {line});
    search.library_enabled = 1;
    in.fixed_depth = 1;
    const uint8_t r = choose_move(side, in);
    ASSERT_LT(r, move_count[1]);
    if (c.from_library) {
        const std::string next = GAME_MOVES[c.ply];
        EXPECT_EQ(search.node_count, 0);
        EXPECT_EQ(move_lists[1][r].from, square_of_label(std::stoi(next.substr(0, 2))));
        EXPECT_EQ(move_lists[1][r].to, square_of_label(std::stoi(next.substr(3, 2))));
    } else {
        EXPECT_GT(search.node_count, 0);
    }
    load_book_lists();
    search.library_enabled = 0;
}
INSTANTIATE_TEST_SUITE_P(Plies, BookWindow,
                         ::testing::Values(WindowCase{0, true}, WindowCase{2, true},
                                           WindowCase{3, true}, WindowCase{8, true},
                                           WindowCase{41, true}, WindowCase{42, false},
                                           WindowCase{60, false}),
                         [](const auto& i) { return "ply" + std::to_string(i.param.ply); });

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
        const BookLineCheck r = check_book_line(line);  // itself checked by CheckLine below
        EXPECT_EQ(r.fault, BookLineFault::none) << line << ": ply " << r.ply;
        const auto plies = std::count(r.canonical.begin(), r.canonical.end(), '-');
        EXPECT_GE(plies, 8) << line;
        EXPECT_LE(plies, 16) << line;
    }
    EXPECT_GE(count, 40);
}
INSTANTIATE_TEST_SUITE_P(Lists, ShippedList, ::testing::Values("ouvert_b.ouv", "ouvert_n.ouv"),
                         test::TextName());

// Editing the opening lists: lines checked by the move generator, sorted insertion, and
// the guard that keeps library moves away from set-up positions.
GameMove move_of(int from, int to) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            0};
}

struct LineCase {
    const char* name;
    const char* text;
    BookLineFault fault;
    int ply;
    const char* detail;  // the canonical line, or the faulty move
};

class CheckLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(CheckLine, ReadsAndPlaysTheLine) {
    const LineCase& c = GetParam();
    const BookLineCheck r = check_book_line(c.text);
    EXPECT_EQ(r.fault, c.fault);
    EXPECT_EQ(r.ply, c.ply);
    EXPECT_EQ(c.fault == BookLineFault::none ? r.canonical : r.move, c.detail);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CheckLine,
    ::testing::Values(
        LineCase{"Legal", "21-17  10-14", BookLineFault::none, 0, "21-17 10-14 "},
        LineCase{"CaptureWrittenWithX", "23-19 10-14 19x10", BookLineFault::none, 0,
                 "23-19 10-14 19-10 "},
        LineCase{"OneDigitWithBlank", "21-17  9-13 ", BookLineFault::none, 0, "21-17  9-13 "},
        LineCase{"CaptureIsCompulsory", "23-19 10-14 19-15", BookLineFault::illegal, 3, "19-15"},
        LineCase{"BlackMoveFirst", " 9-13", BookLineFault::illegal, 1, "9-13"},
        LineCase{"LetterForDigit", "23-19 1O-14", BookLineFault::syntax, 2, "1O-14"},
        LineCase{"SquareBeyond32", "23-33", BookLineFault::syntax, 1, "23-33"},
        LineCase{"ThreeDigits", "123-19", BookLineFault::syntax, 1, "123-19"},
        LineCase{"CommaSeparated", "23-19,10-14", BookLineFault::syntax, 1, "23-19,10-14"},
        LineCase{"Empty", "   ", BookLineFault::empty, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookEdit, CheckingLeavesBoardAndMoveListsAlone) {
    test::set_fen(START_FEN);
    reset_lists();
    const int n = legal_moves(WHITE);
    std::memcpy(move_lists[MAX_PLY], move_lists[1], sizeof(Move) * MAX_MOVES);
    Move list1[MAX_MOVES], list34[MAX_MOVES];
    std::memcpy(list1, move_lists[1], sizeof list1);
    std::memcpy(list34, move_lists[MAX_PLY], sizeof list34);
    uint8_t before[33];
    std::memcpy(before, board, sizeof before);

    check_book_line("23-19 10-14 19x10 5-10");
    EXPECT_EQ(std::memcmp(board, before, sizeof before), 0);
    EXPECT_EQ(movegen.ply, 1);
    EXPECT_EQ(move_count[1], n);
    EXPECT_EQ(std::memcmp(list1, move_lists[1], sizeof list1), 0);
    EXPECT_EQ(std::memcmp(list34, move_lists[MAX_PLY], sizeof list34), 0);
}

TEST(BookEdit, OnlyBoardsReachedFromTheStartFollowTheLine) {
    SearchInputs in;
    test::set_fen(START_FEN);
    EXPECT_TRUE(game_follows_start_position(in));
    in.game_ply = 2;
    in.line[1] = move_of(21, 17);
    in.line[2] = move_of(10, 14);
    EXPECT_FALSE(game_follows_start_position(in)) << "the moves are not on the board";
    set_start_position();
    play_move(
        Move{static_cast<uint8_t>(square_of_label(21)), static_cast<uint8_t>(square_of_label(17))});
    play_move(
        Move{static_cast<uint8_t>(square_of_label(10)), static_cast<uint8_t>(square_of_label(14))});
    EXPECT_TRUE(game_follows_start_position(in));
    in.line[2] = move_of(10, 15);  // not a legal move
    EXPECT_FALSE(game_follows_start_position(in));
}

}  // namespace
}  // namespace qv
