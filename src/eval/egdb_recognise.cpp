// Kings against men: a few men that cannot get past a king holding a long diagonal.
#include <array>

#include "board/board.h"
#include "eval/egdb.h"

namespace qv {

namespace {

// Diagonal numbers: diagonal_a runs 1 (square 29) to 8 (square 4) across the
// anti-diagonals, diagonal_b 1 (squares 1, 5) to 7 (squares 28, 32) across the others.
constexpr std::array<uint8_t, 33> make_diagonal_a() {
    std::array<uint8_t, 33> t{};
    for (int s = 1; s <= 32; ++s) t[s] = 8 - (square_row(s) + square_column(s)) / 2;
    return t;
}
constexpr std::array<uint8_t, 33> make_diagonal_b() {
    std::array<uint8_t, 33> t{};
    for (int s = 1; s <= 32; ++s) t[s] = 4 + (square_row(s) - square_column(s)) / 2;
    return t;
}
constexpr auto diagonal_a = make_diagonal_a();
constexpr auto diagonal_b = make_diagonal_b();
static_assert(diagonal_a[29] == 1 && diagonal_a[4] == 8);
static_assert(diagonal_b[1] == 1 && diagonal_b[5] == 1 && diagonal_b[28] == 7 &&
              diagonal_b[32] == 7);

// A white king on one key square with the other key square empty.
bool king_holds(const uint8_t* v, int a, int b) {
    return (v[a] == WHITE_KING && v[b] == EMPTY) || (v[b] == WHITE_KING && v[a] == EMPTY);
}

bool touches_white(const uint8_t* v, int s) {
    for (int d = 0; d < 4; ++d)
        if (is_white(v[neighbour[d][s]])) return true;
    return false;
}

// The three patterns for White kings against black men, on the position `v`. The first
// pattern whose key squares hold decides.
bool white_kings_win(const uint8_t* v, int men) {
    int pattern = 0;
    if (king_holds(v, 1, 28))
        pattern = 1;
    else if (king_holds(v, 2, 20))
        pattern = 2;
    else if (king_holds(v, 3, 21))
        pattern = 3;
    else
        return false;
    if (pattern == 1 && men >= 4) return false;
    if (pattern != 1 && men > 4) return false;
    if (pattern == 3 && v[2] != EMPTY && men != 3) return false;
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = v[s];
        if (c == BLACK_KING) return false;  // only men may stand against the kings
        if (c == BLACK_MAN) {
            if (touches_white(v, s)) return false;
            if (pattern == 1) {
                if (diagonal_a[s] < 6) return false;
                if (s == 4 && v[8] == EMPTY && v[11] != EMPTY) return false;
            } else if (pattern == 2) {
                if (diagonal_a[s] < 7) return false;
            } else if (diagonal_b[s] > 2) {
                return false;
            }
        } else if (c == WHITE_MAN) {
            if (pattern == 1 && diagonal_a[s] > 4) return false;
            if (pattern == 2 && diagonal_a[s] > 5) return false;
            if (pattern == 3 && diagonal_b[s] < 4) return false;
        }
    }
    return true;
}

}  // namespace

bool recognise_kings_against_men(int men_count, bool kings_are_black) {
    if (!kings_are_black) return white_kings_win(board, men_count);
    // Every pattern needs a king on one of its key squares (1, 2, 3, 20, 21, 28 turned
    // round): without one, the turned board is not worth building.
    if (board[32] != BLACK_KING && board[31] != BLACK_KING && board[30] != BLACK_KING &&
        board[13] != BLACK_KING && board[12] != BLACK_KING && board[5] != BLACK_KING)
        return false;
    // Black kings: the board turned half round with the colours swapped.
    uint8_t v[33];
    v[0] = OFF_BOARD;
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = board[33 - s];
        v[s] = c == EMPTY    ? EMPTY
               : is_white(c) ? static_cast<uint8_t>(c + 2)
                             : static_cast<uint8_t>(c - 2);
    }
    return white_kings_win(v, men_count);
}

}  // namespace qv
