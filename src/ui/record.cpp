#include "ui/record.h"

#include <cstring>

#include "board/board.h"

namespace qv::ui {

RecordState record;

void store_ply(int from, int to, int captures, int32_t white_clock, int32_t black_clock) {
    PlyEntry& e = record.plies[record.current_ply];
    std::memcpy(e.squares + 1, board + 1, 32);
    e.squares[0] = OFF_BOARD;
    e.from = static_cast<uint8_t>(from);
    e.to = static_cast<uint8_t>(to);
    e.captures = static_cast<uint8_t>(captures);
    e.white_clock = white_clock;
    e.black_clock = black_clock;
}

const PlyEntry& load_ply() {
    const PlyEntry& e = record.plies[record.current_ply];
    std::memcpy(board + 1, e.squares + 1, 32);
    board[0] = OFF_BOARD;
    return e;
}

bool record_move(int from, int to, int captures, int32_t white_clock, int32_t black_clock) {
    if (record.current_ply >= MAX_PLIES) return false;
    ++record.current_ply;
    record.last_ply = record.current_ply;
    store_ply(from, to, captures, white_clock, black_clock);
    return true;
}

std::string line_of_ply(int p) {
    const PlyEntry& e = record.plies[p];
    if (p % 2 == 1) return half_move_line(p / 2 + 1, e.from, e.to, e.captures != 0);
    const PlyEntry& w = record.plies[p - 1];
    return full_move_line(p / 2, w.from, w.to, w.captures != 0, e.from, e.to, e.captures != 0);
}

}  // namespace qv::ui
