// Positions as text: PDN FEN with the notation numbers as square numbers,
// e.g. "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

struct Position {
    uint8_t squares[33] = {10};  // internal square numbers; entry 0 off-board (10)
    int side_to_move = 0;        // WHITE 0, BLACK 1
};

inline constexpr const char* START_FEN =
    "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12";

// Parses `text` into `out`. On failure returns false, leaves `out` untouched and says
// what is wrong in `error`. Accepts "K" before a king's number and ranges "21-32".
bool parse_fen(std::string_view text, Position& out, std::string& error);
std::string write_fen(const uint8_t squares[33], int side_to_move);

// The position on board (and shown_board), as a Position.
Position current_position(int side_to_move);
// Copies a position into board and shown_board.
void set_position(const Position& p);

}  // namespace qv
