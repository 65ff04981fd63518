// Editing the opening lists: lines checked by the move generator, sorted insertion, and
// the guard that keeps library moves away from set-up positions.
#include <gtest/gtest.h>

#include <cstring>

#include "board/movegen.h"
#include "search/book.h"
#include "search/book_edit.h"
#include "search_test_util.h"

namespace qv {
namespace {

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
