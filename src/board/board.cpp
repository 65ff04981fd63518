#include "board/board.h"

#include <cstdio>

#include "board/host.h"

namespace qv {

BoardState board_state;

int square_of_label_text(const char* text) {
    if (!text || !text[0] || !text[1]) return 0;
    char a = text[0] == ' ' ? '0' : text[0];
    char b = text[1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
    return square_of_label((a - '0') * 10 + (b - '0'));
}

std::string move_text(int from, int to, bool capture) {
    std::string s = label(from);
    s += capture ? 'x' : '-';
    s += label(to);
    return s;
}

std::string half_move_line(int number, int from, int to, bool capture) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d.%s%s%s ", number, label(from), capture ? "x" : "-",
                  label(to));
    return buf;
}

std::string full_move_line(int number, int from1, int to1, bool capture1, int from2, int to2,
                           bool capture2) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%2d.%s%s%s %s%s%s", number, label(from1), capture1 ? "x" : "-",
                  label(to1), label(from2), capture2 ? "x" : "-", label(to2));
    return buf;
}

PieceTotals count_pieces() {
    PieceTotals t;
    for (int s = 1; s <= 32; ++s) {
        uint8_t c = board[s];
        if (c == WHITE_MAN || c == WHITE_KING)
            ++t.white;
        else if (c == BLACK_MAN || c == BLACK_KING)
            ++t.black;
    }
    return t;
}

Cell cell_of(int s) {
    int t = board_state.flipped ? 33 - s : s;
    return {square_row(t), square_column(t)};
}

int square_at(int row, int column) {
    int s = square_from_cell(row, column);
    if (s == 0) return 0;
    return board_state.flipped ? 33 - s : s;
}

void set_start_position() {
    board[0] = OFF_BOARD;
    for (int s = 1; s <= 32; ++s) board[s] = s <= 12 ? BLACK_MAN : s >= 21 ? WHITE_MAN : EMPTY;
}

void clear_board() {
    board[0] = OFF_BOARD;
    for (int s = 1; s <= 32; ++s) board[s] = EMPTY;
}

void Change_dir() {
    board_state.flipped = 1 - board_state.flipped;
    host().orientation_changed();
    uint8_t copy[33];
    for (int s = 1; s <= 32; ++s) copy[s] = board[s];
    for (int s = 1; s <= 32; ++s) board[s] = copy[33 - s];
    board[0] = OFF_BOARD;
}

void numerotation() {
    board_state.show_numbers = 1 - board_state.show_numbers;
}

}  // namespace qv
