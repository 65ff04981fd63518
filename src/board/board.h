// The one position the whole program shares, its squares, geometry and notation.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// Piece codes. Below 3 (and not 0) is White, above 2 is Black; a king is its man + 1.
inline constexpr uint8_t EMPTY = 0;
inline constexpr uint8_t WHITE_MAN = 1;
inline constexpr uint8_t WHITE_KING = 2;
inline constexpr uint8_t BLACK_MAN = 3;
inline constexpr uint8_t BLACK_KING = 4;
inline constexpr uint8_t OFF_BOARD = 10;  // only in entry 0
inline constexpr uint8_t TAKEN = 15;      // transient, during capture generation

inline constexpr uint8_t WHITE = 0;
inline constexpr uint8_t BLACK = 1;

inline constexpr bool is_white(uint8_t code) {
    return code != EMPTY && code < 3;
}
inline constexpr bool is_black(uint8_t code) {
    return code > 2 && code <= BLACK_KING;
}
inline constexpr bool is_king(uint8_t code) {
    return code == WHITE_KING || code == BLACK_KING;
}

// Process-wide board state: the position, the copy the display draws, orientation flags.
struct BoardState {
    uint8_t board[33] = {OFF_BOARD};
    uint8_t shown_board[33] = {OFF_BOARD};
    uint8_t flipped = 0;       // 0: White plays up the screen
    uint8_t show_numbers = 0;  // square labels drawn
};
extern BoardState board_state;

// Short names for the two tables every module reads.
inline constexpr auto& board = board_state.board;
inline constexpr auto& shown_board = board_state.shown_board;

// ---- geometry -------------------------------------------------------------------------

inline constexpr int square_row(int s) {
    return (s - 1) / 4;
}
// Column in the unflipped picture: square 4 is the top-left corner, 29 the bottom-right.
inline constexpr int square_column(int s) {
    return 6 - 2 * ((s - 1) % 4) + square_row(s) % 2;
}

// Square at (row, column) of the unflipped picture, 0 for a light square or off the board.
inline constexpr int square_from_cell(int row, int column) {
    if (row < 0 || row > 7 || column < 0 || column > 7) return 0;
    if ((column - row % 2) % 2 != 0) return 0;
    int k = (6 + row % 2 - column) / 2;
    return 4 * row + k + 1;
}

namespace detail {
inline constexpr std::array<std::array<uint8_t, 33>, 4> make_neighbours() {
    std::array<std::array<uint8_t, 33>, 4> n{};
    // dir 0: up-right, 1: up-left, 2: down-right, 3: down-left (toward row 0 is "up").
    constexpr int drow[4] = {-1, -1, 1, 1};
    constexpr int dcol[4] = {1, -1, 1, -1};
    for (int d = 0; d < 4; ++d)
        for (int s = 1; s <= 32; ++s)
            n[d][s] = static_cast<uint8_t>(
                square_from_cell(square_row(s) + drow[d], square_column(s) + dcol[d]));
    return n;
}
inline constexpr std::array<int16_t, 33> make_scan_order() {
    std::array<int16_t, 33> t{};
    for (int i = 1; i <= 32; ++i) t[i] = static_cast<int16_t>(33 - i);
    return t;
}
}  // namespace detail

// neighbour[d][s]: one diagonal step from s in direction d, 0 off the board.
// Directions d and 3 - d are opposite.
inline constexpr auto neighbour = detail::make_neighbours();
// White's pieces are visited in table order (32 down to 1), Black's in reverse order.
inline constexpr auto scan_order = detail::make_scan_order();

// ---- notation -------------------------------------------------------------------------

// Notation number of square s: labels run left to right, top row first, unflipped.
inline constexpr int label_number(int s) {
    return 4 * square_row(s) + 4 - (s - 1) % 4;
}

namespace detail {
inline constexpr std::array<std::array<char, 3>, 33> make_labels() {
    std::array<std::array<char, 3>, 33> t{};
    t[0] = {'0', 0, 0};
    for (int s = 1; s <= 32; ++s) {
        int n = label_number(s);
        t[s] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10), 0};
    }
    return t;
}
inline constexpr std::array<uint8_t, 33> make_label_inverse() {
    std::array<uint8_t, 33> t{};
    for (int s = 1; s <= 32; ++s) t[label_number(s)] = static_cast<uint8_t>(s);
    return t;
}
}  // namespace detail

inline constexpr auto LABELS = detail::make_labels();
inline constexpr auto SQUARE_OF_LABEL = detail::make_label_inverse();

// Two-digit label of square s ("04" for square 1); "0" for s = 0.
inline const char* label(int s) {
    return LABELS[s].data();
}
// Internal square of notation number n (1..32), 0 otherwise.
inline constexpr int square_of_label(int n) {
    return n >= 1 && n <= 32 ? SQUARE_OF_LABEL[n] : 0;
}
// Internal square of a two-character label text ("01".."32", " 9" read as "09"), 0 if none.
int square_of_label_text(const char* text);

// "23-19" or "19x03": the first and last squares only.
std::string move_text(int from, int to, bool capture);
// Move-list lines: "%2d.%s%s%s " (a half line) and "%2d.%s%s%s %s%s%s" (a full line).
std::string half_move_line(int number, int from, int to, bool capture);
std::string full_move_line(int number, int from1, int to1, bool capture1, int from2, int to2,
                           bool capture2);

// ---- queries and orientation -----------------------------------------------------------

struct PieceTotals {
    int white = 0;
    int black = 0;
};
PieceTotals count_pieces();  // codes 1+2 and 3+4 over squares 1..32 of board

struct Cell {
    int row = 0;
    int column = 0;
};
// Cell where square s is drawn in the current orientation.
Cell cell_of(int s);
// Square drawn at (row, column) in the current orientation, 0 for a light square or outside.
int square_at(int row, int column);

// Fill board with the start position (men only; the game's remplir does the rest).
void set_start_position();
// Empty squares 1..32 of board, entry 0 = OFF_BOARD.
void clear_board();

// Turns the orientation and the position with it (the picture stays as it was);
// the orientation caption is the window's affair (Host::orientation_changed).
void Change_dir();
// Toggles show_numbers (the window redraws and ticks its menu entry).
void numerotation();

}  // namespace qv
