#include "eval/knowledge.h"

#include <bit>
#include <cstring>

#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"

namespace qv {

bool turn_flag(int side, int ply) {
    return (ply % 2 != 0) == (side == WHITE);
}

namespace {
// Bit k of the result is set when byte k of `bytes` equals `value` (8 bytes at a time).
uint32_t equal_bytes(uint64_t bytes, uint8_t value) {
    constexpr uint64_t LOW7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t x = bytes ^ (0x0101010101010101ULL * value);
    const uint64_t zero_high = ~(((x & LOW7) + LOW7) | x | LOW7);  // 0x80 where x is 0
    return static_cast<uint32_t>(((zero_high >> 7) * 0x0102040810204080ULL) >> 56);
}
}  // namespace

Occupancy occupancy_of_board() {
    static_assert(std::endian::native == std::endian::little);
    uint64_t words[4];  // square 1 + 8 * part in the lowest byte of words[part]
    std::memcpy(words, &board[1], sizeof words);
    Occupancy b;
    for (int part = 0; part < 4; ++part) {
        const uint64_t bytes = words[part];
        b.empty |= equal_bytes(bytes, EMPTY) << (8 * part);
        b.white |= equal_bytes(bytes, WHITE_MAN) << (8 * part);
        b.black |= equal_bytes(bytes, BLACK_MAN) << (8 * part);
    }
    return b;
}

namespace {
int16_t for_side(int side, int white_view) {
    return static_cast<int16_t>(side == BLACK ? -white_view : white_view);
}
bool white_to_move(int side) {
    return turn_flag(side, movegen.ply);
}
}  // namespace

int16_t breakthrough_term(int side, const Occupancy& b) {
    return for_side(side, breakthrough_white(white_to_move(side), b));
}
int16_t men_mobility_term(int side, const Occupancy& b) {
    return for_side(side, men_mobility_white(eval_state.phase, b));
}
int16_t formation_term(int side, const Occupancy& b) {
    return for_side(side, formation_white(white_to_move(side), eval_state.phase, b));
}
int16_t king_fork_term(int side, const Occupancy& b) {
    return for_side(side, king_fork_white(b));
}
int16_t king_tactics_term(int side, const Occupancy& b) {
    return for_side(side, king_tactics_white(white_to_move(side), b));
}
int16_t men_ending_patterns(int side, const Occupancy& b) {
    return for_side(side, men_ending_white(white_to_move(side), b));
}

}  // namespace qv
