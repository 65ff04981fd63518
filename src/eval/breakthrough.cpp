// Breakthrough of advanced men: a white man on 5..17 whose way to the crowning row is open
// or about to open. The rules are written for White and read through the colour mirror for
// Black, with two exceptions of the Black side (its man on 20, its man on 18).
#include <algorithm>
#include <bit>
#include <cstdint>

#include "board/board.h"
#include "eval/board_view.h"
#include "eval/evaluate.h"
#include "eval/knowledge.h"

namespace qv {
namespace {

// Men on 6, 7, 8: one step from the crown. a, b: the two front squares; c, d: the squares
// behind that stop a capture through b or a.
template <class V>
int front_row_man(int a, int b, int c, int d, bool t) {
    if ((t && (V::e(a) || V::e(b))) || (V::e(a) && V::e(b)) || (V::e(b) && V::o(a) && V::o(c)) ||
        (V::e(a) && V::o(b) && V::o(d)))
        return 90;
    if (V::o(a) && V::o(b)) return -40;
    return 0;
}

// Men on 10 and 11 (q maps the squares of the rule for 10 onto those for 11).
template <class V>
int second_row_man(const int (&q)[16], bool t, bool their_kings) {
    auto e = [&](int s) { return V::e(q[s]); };
    auto o = [&](int s) { return V::o(q[s]); };
    if (t) {
        if ((e(1) && (e(2) || (o(2) && o(9)))) || (e(2) && e(3)) || (e(3) && o(2) && o(11)))
            return 60;
        return 0;
    }
    if (e(2) && e(6) && e(7)) return 10 + (their_kings ? 0 : 20) + (e(1) || e(3) ? 40 : 0);
    if ((e(1) && e(2) && e(6) && o(7) && o(14)) || (e(3) && e(2) && e(7) && o(6) && o(15)))
        return 50;
    return 0;
}

constexpr int SQUARES_FOR_10[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int SQUARES_FOR_11[16] = {0, 2, 3, 4, 0, 0, 7, 8, 0, 10, 0, 12, 0, 0, 15, 16};

// Black reads these rules through the mirror; Mirror marks its two exceptions.
template <bool Mirror>
int man_value(int s, bool t, bool their_kings) {
    using V = View<Mirror>;
    auto e = V::e;
    auto o = V::o;
    auto X = V::X;
    switch (s) {
        case 5:
            return 20 + (e(1) ? 70 : 0);
        case 6:
            return front_row_man<V>(1, 2, 10, 9, t);
        case 7:
            return front_row_man<V>(2, 3, 11, 10, t);
        case 8:
            return front_row_man<V>(3, 4, 12, 11, t);
        case 9:
            if (t) return (e(1) && (e(2) || e(5))) || (e(2) && o(1) && o(10)) ? 60 : 0;
            return (e(1) && e(5) && e(6)) || (e(1) && e(2) && e(6) && o(5) && o(14)) ? 50 : 0;
        case 10:
            return second_row_man<V>(SQUARES_FOR_10, t, their_kings);
        case 11:
            return second_row_man<V>(SQUARES_FOR_11, t, their_kings);
        case 12:
            if (t) return (e(3) && e(4)) || (e(3) && o(4) && o(11)) ? 60 : 0;
            if (e(3) && e(4)) return 50;
            return o(4) ? 15 : 0;
        case 13:
            if (!t) return e(1) && e(2) && e(6) && (e(5) || X(9)) ? 40 : 0;
            if (e(1) && ((e(5) && e(6) && (e(9) || e(2))) || (e(2) && e(6) && o(5) && o(14))))
                return Mirror ? 55 : 50;  // Black's man on 20 is worth a little more
            return e(1) && e(2) && e(6) && X(9) ? 60 : 0;
        case 14:
            if (t) {
                if (e(1) && e(5) && (e(6) || o(13))) return 50;
                if (e(1) && e(5) && X(9)) return 70;
                if (o(2) || o(6) || o(7)) return e(2) && e(3) && e(7) && o(6) && o(15) ? 50 : 0;
                if (e(10)) return 50;
                return e(3) ? 90 : 0;
            }
            if (e(5) && X(9) && o(18) && (!X(10) || o(17))) {
                if (e(1)) return 35;
                return o(1) && o(2) ? 40 : 25;
            }
            if (e(2) && e(3) && e(7)) {
                if (X(10) && X(15) && o(17)) return 80;
                if (e(1) && e(6) && (e(10) || o(17))) return 40;
            }
            return 0;
        case 15:
            if (!t) {
                if (e(6) && X(10) && o(19) && (!X(11) || o(18))) return e(1) && e(2) ? 70 : 0;
                if (e(3) && e(4) && e(8)) {
                    // Black's man on 18 needs a white man on 17, not just a piece.
                    const bool back = Mirror ? X(16) : o(16);
                    if (X(11) && back && o(18)) return 80;
                    if (e(2) && e(7) && (e(11) || o(18))) return 40;
                }
                return 0;
            }
            if (e(2) && e(6) && e(7) && e(10)) return 20 + (e(1) || o(3) ? 30 : 0);
            if (e(1) && e(2) && e(6)) return X(10) ? 80 : (o(7) && o(14) ? 50 : 0);
            if (e(3) && e(7) && e(8) && e(11)) return 20 + (e(2) || o(4) ? 30 : 0);
            if (o(3) || o(4) || o(8)) return o(3) && X(11) && e(8) && e(4) && o(12) ? 80 : 0;
            if (X(11)) return 80;
            return o(7) && o(16) ? 50 : 0;
        case 16:
            return (t || e(11)) && e(3) && e(4) && e(8) && e(12) ? 50 : 0;
        case 17:
            return (t || e(14)) && e(1) && e(2) && e(5) && e(6) && e(9) && e(13) ? 40 : 0;
        default:
            return 0;
    }
}

// Squares 5..17 as real squares of the men that stand there: White's as they are, Black's
// turned round (virtual v is real 33 - v).
constexpr uint32_t advanced_squares(bool mirror) {
    uint32_t set = 0;
    for (int v = 5; v <= 17; ++v) set |= uint32_t{1} << ((mirror ? 33 - v : v) - 1);
    return set;
}

// men: the real squares of the side's men (bit s - 1).
template <bool Mirror>
int white_side_total(bool t, bool their_kings, uint32_t men) {
    using V = View<Mirror>;
    int sum = 0;
    for (uint32_t m = men & advanced_squares(Mirror); m != 0; m &= m - 1) {
        const int real = std::countr_zero(m) + 1;
        sum += man_value<Mirror>(Mirror ? 33 - real : real, t, their_kings);
    }
    if (V::W(30) && V::W(32)) sum += 15;  // both back-corner guards still home
    return sum;
}

}  // namespace

int breakthrough_white(bool t, const Occupancy& b) {
    const auto& n = eval_state.piece_count;
    const int total = white_side_total<false>(t, n[BLACK_KING] != 0, b.white) -
                      white_side_total<true>(!t, n[WHITE_KING] != 0, b.black);
    return std::clamp(2 * total, -100, 100);
}

int breakthrough_white(bool t) {
    return breakthrough_white(t, occupancy_of_board());
}

}  // namespace qv
