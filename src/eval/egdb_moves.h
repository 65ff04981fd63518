// The moves out of a table position, each with the table entry it leads to.
#pragma once

#include <cstdint>

#include "board/movegen.h"
#include "eval/egdb_tables.h"

namespace qv {

struct TableMove {
    bool wipes_out = false;  // takes the last black piece: the game is won
    TableEntry entry;        // otherwise the position after it, Black to move
};

// Puts `squares` (White to move) on board and lists White's legal moves, generated at
// ply 1 of the move lists, with the entry each leads to. Returns the number of moves, or
// -1 when a move leads to material outside the tables (which the 19 tables exclude).
// board holds `squares` again on return.
int table_moves(const uint8_t squares[33], TableMove out[MAX_MOVES]);

}  // namespace qv
