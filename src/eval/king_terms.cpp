// King terms: a king forking two men, and a king to move that is about to win men.
#include <algorithm>

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

template <bool Mirror>
int black_fork_total(int their_men, int own_kings) {
    using V = View<Mirror>;
    if (own_kings == 0 || their_men < 3) return 0;
    int sum = 0;
    for (int s = 6; s <= 27; ++s)
        if (inner_square[s] && V::XK(s)) sum += fork_value<Mirror>(s);
    return sum;
}

// A black king to move on real squares 13..32 (negative values). Through the mirror this
// is a white king to move on the same real squares, looking the other way.
template <bool Mirror>
int black_tactics_total(bool t) {
    using V = View<Mirror>;
    if (t) return 0;
    int sum = 0;
    for (int s = 1; s <= 32; ++s) {
        const int real = V::real(s);
        if (real < 13 || !V::XK(s)) continue;
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
    }
    return sum;
}

}  // namespace

int king_fork_white() {
    const auto& n = eval_state.piece_count;
    const int total = black_fork_total<false>(n[WHITE_MAN], n[BLACK_KING]) -
                      black_fork_total<true>(n[BLACK_MAN], n[WHITE_KING]);
    return std::clamp(total, -FORK_CLAMP, FORK_CLAMP);
}

int king_tactics_white(bool t) {
    const int total = black_tactics_total<false>(t) - black_tactics_total<true>(!t);
    return std::clamp(total, -TACTICS_CLAMP, TACTICS_CLAMP);
}

}  // namespace qv
