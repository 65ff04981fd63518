// King terms: a king forking two men, and a king to move that is about to win men.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "board/board.h"
#include "eval/board_view.h"
#include "eval/eval_tables.h"
#include "eval/evaluate.h"
#include "eval/knowledge.h"

namespace qv {
namespace {

constexpr int FORK_TWO_MEN = 50;        // both men beside the king can be jumped
constexpr int FORK_MAN_AND_BELOW = 40;  // one beside it and the man two rows down
constexpr int FORK_CLAMP = 45;
constexpr int SLIP_AND_TAKE = 300;  // the king slips beside a man and takes the one beyond
constexpr int PAIR_AHEAD = 150;     // two men in a row ahead of the king, room behind
constexpr int TACTICS_CLAMP = 500;

// A black king on inner square s between white men with room to jump (negative values).
template <bool Mirror>
int fork_value(int s) {
    using V = View<Mirror>;
    const int k2 = V::nb(2, s), k3 = V::nb(3, s);
    const int k2k2 = V::nb(2, k2), k3k3 = V::nb(3, k3);
    const int below = s + 8 <= 32 ? s + 8 : 0;  // two rows down in the same column
    if (V::W(k3) && V::W(k2) && V::e(k3k3) && V::e(k2k2)) return -FORK_TWO_MEN;
    if (V::W(k3) && V::W(below) && V::e(V::nb(3, k2k2)) && V::e(k3k3)) return -FORK_MAN_AND_BELOW;
    if (V::W(k2) && V::W(below) && V::e(V::nb(2, k3k3)) && V::e(k2k2)) return -FORK_MAN_AND_BELOW;
    return 0;
}

constexpr uint32_t inner_squares() {
    uint32_t set = 0;
    for (int s = 1; s <= 32; ++s)
        if (inner_square[s]) set |= uint32_t{1} << (s - 1);
    return set;
}
constexpr uint32_t FROM_13 = 0xFFFFF000;  // real squares 13..32

// Calls f(v) for each virtual square v holding a black king of the view, given the real
// squares of all kings: Black's own as they are, White's turned round.
template <bool Mirror, class F>
void for_each_king(uint32_t kings, F f) {
    const uint8_t code = Mirror ? WHITE_KING : BLACK_KING;
    for (; kings != 0; kings &= kings - 1) {
        const int real = std::countr_zero(kings) + 1;
        if (board[real] == code) f(Mirror ? 33 - real : real);
    }
}

// kings: the real squares of every king on the board. Inner squares turn into inner squares.
template <bool Mirror>
int black_fork_total(int their_men, int own_kings, uint32_t kings) {
    if (own_kings == 0 || their_men < 3) return 0;
    int sum = 0;
    for_each_king<Mirror>(kings & inner_squares(), [&](int s) { sum += fork_value<Mirror>(s); });
    return sum;
}

// A black king to move on real squares 13..32 (negative values). Through the mirror this
// is a white king to move on the same real squares, looking the other way.
template <bool Mirror>
int black_tactics_total(bool t, uint32_t kings) {
    using V = View<Mirror>;
    if (t) return 0;
    int sum = 0;
    for_each_king<Mirror>(kings & FROM_13, [&](int s) {
        // A white man two rows up: slip beside it and take the man beyond.
        if (s > 8 && V::W(s - 8)) {
            for (int d : {1, 0}) {
                const int a = V::nb(d, s), b = V::nb(d, a), c = V::nb(d, b);
                if (V::e(a) && V::W(b) && V::e(c)) sum -= SLIP_AND_TAKE;
            }
        }
        // Two white men in a row ahead with room behind them.
        for (int d : {0, 1}) {
            const int a = V::nb(d, s), b = V::nb(d, a), c = V::nb(d, b);
            if (V::W(a) && V::W(b) && V::e(c)) {
                sum -= PAIR_AHEAD;
                break;
            }
        }
    });
    return sum;
}

// The squares of every king: what is neither a man nor empty.
uint32_t king_squares(const Occupancy& b) {
    return ~(b.white | b.black | b.empty);
}

}  // namespace

int king_fork_white(const Occupancy& b) {
    const auto& n = eval_state.piece_count;
    const uint32_t kings = king_squares(b);
    const int total = black_fork_total<false>(n[WHITE_MAN], n[BLACK_KING], kings) -
                      black_fork_total<true>(n[BLACK_MAN], n[WHITE_KING], kings);
    return std::clamp(total, -FORK_CLAMP, FORK_CLAMP);
}

int king_fork_white() {
    return king_fork_white(occupancy_of_board());
}

int king_tactics_white(bool t, const Occupancy& b) {
    const uint32_t kings = king_squares(b);
    const int total = black_tactics_total<false>(t, kings) - black_tactics_total<true>(!t, kings);
    return std::clamp(total, -TACTICS_CLAMP, TACTICS_CLAMP);
}

int king_tactics_white(bool t) {
    return king_tactics_white(t, occupancy_of_board());
}

}  // namespace qv
