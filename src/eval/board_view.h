// The board as the knowledge terms read it. View<false> is the board itself; View<true>
// is its colour mirror: virtual square v is real square 33 - v with the colours swapped,
// so a rule written for White, read through View<true>, is that rule for Black. (The half
// turn maps direction d to 3 - d, so the neighbour tables serve both views unchanged.)
#pragma once

#include <cstdint>

#include "board/board.h"

namespace qv {

template <bool Mirror>
struct View {
    static constexpr uint8_t swapped(uint8_t c) {
        return c == WHITE_MAN    ? BLACK_MAN
               : c == WHITE_KING ? BLACK_KING
               : c == BLACK_MAN  ? WHITE_MAN
               : c == BLACK_KING ? WHITE_KING
                                 : c;
    }
    static int real(int v) { return Mirror && v != 0 ? 33 - v : v; }
    static uint8_t at(int v) {
        if constexpr (Mirror)
            return swapped(board[real(v)]);
        else
            return board[v];
    }
    // Square 0 (no neighbour) holds OFF_BOARD: occupied, never empty.
    static bool e(int v) { return at(v) == EMPTY; }
    static bool o(int v) { return at(v) != EMPTY; }
    static bool W(int v) { return at(v) == WHITE_MAN; }
    static bool X(int v) { return at(v) == BLACK_MAN; }
    static bool WK(int v) { return at(v) == WHITE_KING; }
    static bool XK(int v) { return at(v) == BLACK_KING; }
    static int nb(int d, int v) { return neighbour[d][v]; }
};

}  // namespace qv
