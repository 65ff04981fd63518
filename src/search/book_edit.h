// Editing the opening lists: a typed line checked move by move against the legal moves
// from the start position, sorted insertion and deletion, and the guard that keeps the
// lists away from boards that their lines cannot reach.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "search/search_state.h"

namespace qv {

enum class BookLineFault : uint8_t {
    none,
    empty,    // no move at all
    syntax,   // not "from-to" or "fromxto" with numbers 1..32
    illegal,  // a well-formed move that is not legal in the position reached
};

struct BookLineCheck {
    BookLineFault fault = BookLineFault::none;
    int ply = 0;            // the faulty move's ply (1 = White's first move)
    std::string move;       // its text as typed, trimmed
    std::string canonical;  // the whole line in the lists' own form ("%2d-%2d " per move)
    int plies = 0;          // moves in the line
};

// Reads a typed line and plays it from the start position with the move generator.
// Leaves the board and every move list as it found them.
BookLineCheck check_book_line(std::string_view text);

// The moves of a game (line[1..plies], internal squares) in the lists' form, stopping at a
// move without a from square or after 42 plies.
std::string book_line_of_game(std::span<const GameMove> line);

// Puts `line` into the sorted list of `side`; returns its index (an equal line already
// there is not added twice).
int insert_book_line(int side, const std::string& line);
// Removes line `index` of `side`'s list; false when there is no such line.
bool delete_book_line(int side, int index);

// Whether the moves in.line[1..in.game_ply], played from the start position, give the
// board the driver is about to search. False for a set-up position.
bool game_follows_start_position(const SearchInputs& in);

}  // namespace qv
