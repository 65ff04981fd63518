#include "eval/knowledge.h"

#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"

namespace qv {

bool turn_flag(int side, int ply) {
    return (ply % 2 != 0) == (side == WHITE);
}

Occupancy occupancy_of_board() {
    Occupancy b;
    for (int s = 1; s <= 32; ++s) {
        const uint32_t bit = uint32_t{1} << (s - 1);
        switch (board[s]) {
            case EMPTY:
                b.empty |= bit;
                break;
            case WHITE_MAN:
                b.white |= bit;
                break;
            case BLACK_MAN:
                b.black |= bit;
                break;
            default:
                break;
        }
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

int16_t breakthrough_term(int side) {
    return for_side(side, breakthrough_white(white_to_move(side)));
}
int16_t men_mobility_term(int side) {
    return for_side(side, men_mobility_white(eval_state.phase));
}
int16_t formation_term(int side) {
    return for_side(side, formation_white(white_to_move(side), eval_state.phase));
}
int16_t king_fork_term(int side) {
    return for_side(side, king_fork_white());
}
int16_t king_tactics_term(int side) {
    return for_side(side, king_tactics_white(white_to_move(side)));
}
int16_t men_ending_patterns(int side) {
    return for_side(side, men_ending_white(white_to_move(side)));
}

}  // namespace qv
