// Moves entered by clicking: plain moves, captures square by square and by the final
// square, putting a piece back, compulsory capture, flipped boards.
#include "common/case_name.h"
#include "window_fixture.h"

namespace qv::ui::test {
namespace {

struct ClickCase {
    const char* name;
    int flipped;
    int x, y;  // stored coordinates
    int square;
};

class ClickToSquare : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickToSquare, MapsStoredCoordinates) {
    const ClickCase c = GetParam();
    board_state.flipped = uint8_t(c.flipped);
    EXPECT_EQ(square_of_click(c.x, c.y), c.square);
    board_state.flipped = 0;
}

// Window x = 500 - stored x. Square 4 is the top-left dark square, 29 the bottom-right.
INSTANTIATE_TEST_SUITE_P(
    Board, ClickToSquare,
    ::testing::Values(
        ClickCase{"top_left", 0, stored_x(19 + 30), 25 + 30, 4},
        ClickCase{"bottom_right", 0, stored_x(19 + 7 * 60 + 30), 25 + 7 * 60 + 30, 29},
        ClickCase{"flipped_bottom_right", 1, stored_x(19 + 7 * 60 + 30), 25 + 7 * 60 + 30, 4},
        ClickCase{"light_square", 0, stored_x(19 + 60 + 30), 25 + 30, 4},
        ClickCase{"right_margin", 0, 10, 100, 0},
        ClickCase{"left_margin", 0, stored_x(530), 100, 0}, ClickCase{"below", 0, 100, 515, 0}),
    qv::test::RowName());

TEST_F(WindowTest, PlainMoveWithTwoDestinationsIsFramedThenPlayed) {
    start_2d();
    game.vs_computer = 0;
    const int from = sq(5, 3), left = sq(4, 2), right = sq(4, 4);
    click_square(from);
    EXPECT_EQ(entry.in_hand, WHITE_MAN);
    EXPECT_EQ(pixel_at_frame(from), QColor(255, 0, 0));
    EXPECT_EQ(pixel_at_frame(left), QColor(255, 0, 255));
    EXPECT_EQ(pixel_at_frame(right), QColor(255, 0, 255));
    click_square(right);
    EXPECT_EQ(board[right], WHITE_MAN);
    EXPECT_EQ(board[from], EMPTY);
    EXPECT_EQ(game.side_to_move, BLACK);
    EXPECT_NE(pixel_at_frame(left), QColor(255, 0, 255));
    EXPECT_EQ(list_line(0), " 1." + std::string(qv::label(from)) + "-" + qv::label(right) + " ");
}

TEST_F(WindowTest, SingleDestinationPlaysAtOnce) {
    start_2d();
    game.vs_computer = 0;
    const int from = sq(5, 7);
    click_square(from);
    EXPECT_EQ(board[sq(4, 6)], WHITE_MAN);
    EXPECT_EQ(entry.in_hand, 0);
}

TEST_F(WindowTest, ClickingTheStartSquareAgainPutsThePieceBack) {
    start_2d();
    const int from = sq(5, 3);
    click_square(from);
    ASSERT_EQ(entry.in_hand, WHITE_MAN);
    click_square(from);
    EXPECT_EQ(entry.in_hand, 0);
    EXPECT_EQ(board[from], WHITE_MAN);
    EXPECT_NE(pixel_at_frame(sq(4, 2)), QColor(255, 0, 255));
    EXPECT_NE(pixel_at_frame(from), QColor(255, 0, 0));
    EXPECT_EQ(game.last_ply, 0);
}

// Two people on the 2D board; the white man at (6,2) faces black men at (5,1) and (3,1),
// Black keeps a man at (0,6), and `more` pieces join them, White to move.
class Captures : public WindowTest {
  protected:
    void put_capture(std::vector<std::pair<int, uint8_t>> more) {
        start_2d();
        game.vs_computer = 0;
        more.insert(more.end(), {{sq(6, 2), WHITE_MAN},
                                 {sq(5, 1), BLACK_MAN},
                                 {sq(3, 1), BLACK_MAN},
                                 {sq(0, 6), BLACK_MAN}});
        put_position(more, WHITE);
    }
};

// Two double captures that meet again on (2,2).
TEST_F(Captures, DoubleCaptureSharingItsFinalSquareIsEnteredSquareBySquare) {
    put_capture({{sq(5, 3), BLACK_MAN}, {sq(3, 3), BLACK_MAN}});
    click_square(sq(6, 2));
    EXPECT_EQ(pixel_at_frame(sq(4, 0)), QColor(0, 0, 255));
    EXPECT_EQ(pixel_at_frame(sq(4, 4)), QColor(0, 0, 255));
    EXPECT_EQ(entry.entry_marks[sq(2, 2)], 0) << "no final-square shortcut when finals are shared";
    screenshot(window.get(), "capture_frames.png");
    click_square(sq(4, 4));
    EXPECT_EQ(board[sq(2, 2)], WHITE_MAN);
    EXPECT_EQ(board[sq(5, 3)], EMPTY);
    EXPECT_EQ(board[sq(3, 3)], EMPTY);
    EXPECT_EQ(board[sq(5, 1)], BLACK_MAN);
    EXPECT_EQ(board[sq(3, 1)], BLACK_MAN);
    EXPECT_EQ(list_line(0),
              " 1." + std::string(qv::label(sq(6, 2))) + "x" + qv::label(sq(2, 2)) + " ");
}

TEST_F(Captures, FinalSquareClickCompletesADoubleCapture) {
    put_capture({{sq(5, 3), BLACK_MAN}, {sq(3, 5), BLACK_MAN}});
    click_square(sq(6, 2));
    EXPECT_EQ(pixel_at_frame(sq(2, 2)), QColor(255, 0, 255));
    EXPECT_EQ(pixel_at_frame(sq(2, 6)), QColor(255, 0, 255));
    click_square(sq(2, 6));
    EXPECT_EQ(board[sq(2, 6)], WHITE_MAN);
    EXPECT_EQ(board[sq(5, 3)], EMPTY);
    EXPECT_EQ(board[sq(3, 5)], EMPTY);
    EXPECT_EQ(board[sq(5, 1)], BLACK_MAN);
    EXPECT_EQ(board[sq(6, 2)], EMPTY);
    EXPECT_EQ(game.side_to_move, BLACK);
}

// The one capture is made by the pick-up click; another man may not move meanwhile.
TEST_F(Captures, UniqueCaptureIsMadeByThePickUpClickAndShowsTheLabels) {
    put_capture({{sq(6, 6), WHITE_MAN}});
    EXPECT_FALSE(label("Label29")->isVisible());
    click_square(sq(6, 6));
    EXPECT_EQ(entry.in_hand, 0);
    EXPECT_EQ(board[sq(6, 6)], WHITE_MAN);
    for (const char* n : {"Label29", "Label30", "Label31"}) EXPECT_TRUE(label(n)->isVisible());
    click_square(sq(6, 2));
    EXPECT_EQ(board[sq(2, 2)], WHITE_MAN);
    EXPECT_EQ(count_pieces().black, 1);
}

TEST_F(WindowTest, FlippedBoardBottomRightIsSquareFour) {
    start_2d();
    trigger("Inverserdamier1");
    EXPECT_EQ(window->widget("Panel6")->y(), 428);
    EXPECT_EQ(window->widget("Panel7")->y(), 8);
    const QPoint bottom_right(19 + 7 * 60 + 30, 25 + 7 * 60 + 30);
    EXPECT_EQ(square_of_click(stored_x(bottom_right.x()), bottom_right.y()), 4);
    EXPECT_EQ(square_corner(4), QPoint(19 + 7 * 60, 25 + 7 * 60));
}

}  // namespace
}  // namespace qv::ui::test
