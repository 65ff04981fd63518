// The game in hand as the window keeps it: one position per ply with the move that led
// to it and both clocks, the ply shown and the number of plies played.
#pragma once

#include <cstdint>
#include <string>

namespace qv::ui {

inline constexpr int MAX_PLIES = 254;

struct PlyEntry {
    uint8_t squares[33] = {};
    uint8_t captures = 0;
    uint8_t from = 0;
    uint8_t to = 0;
    int32_t white_clock = 0;
    int32_t black_clock = 0;
};

struct RecordState {
    PlyEntry plies[MAX_PLIES + 1];
    int current_ply = 0;
    int last_ply = 0;
    uint8_t side_after_last_move = 0;
};
extern RecordState record;

// Stores board and the clocks as entry current_ply (from/to/captures of the move too).
void store_ply(int from, int to, int captures, int32_t white_clock, int32_t black_clock);
// Restores board from entry current_ply; returns the entry.
const PlyEntry& load_ply();
// Appends a move after current_ply (cutting whatever followed); false when the record is
// full (the move is then not recorded).
bool record_move(int from, int to, int captures, int32_t white_clock, int32_t black_clock);
// The move-list line that holds ply p (p >= 1), and its index.
std::string line_of_ply(int p);
inline int line_index_of_ply(int p) {
    return (p - 1) / 2;
}

}  // namespace qv::ui
