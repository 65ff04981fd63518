// Mobility and safety of men on the inner squares: holes behind a man, a blocked pair,
// men that can be taken at once, and men with a free road ahead. Written for a white man
// and read through the colour mirror for Black; the one difference is the reach of the
// last rule, which Black's men on 8 and 9 take and White's on 25 and 24 do not.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "board/board.h"
#include "eval/board_view.h"
#include "eval/eval_tables.h"
#include "eval/knowledge.h"

namespace qv {
namespace {

constexpr int MOBILITY_CLAMP = 60;

template <bool Mirror>
int man_mobility(int s, int phase) {
    using V = View<Mirror>;
    const int f0 = V::nb(0, s), f1 = V::nb(1, s), k2 = V::nb(2, s), k3 = V::nb(3, s);
    int v = 0;
    // Empty squares behind: the man can be jumped once an enemy stands in front.
    if (k2 && V::e(k2)) {
        v -= 2;
        if (V::e(V::nb(2, k2))) v -= 3;
        if (V::e(k3)) v -= 2;
    }
    if (k3 && V::e(k3)) {
        v -= 2;
        if (V::e(V::nb(3, k3))) v -= 3;
        if (V::e(k2)) v -= 2;
    }
    // A man pushed up between two own men with nothing behind: a target for a shot.
    const int f0f0 = V::nb(0, f0), f1f1 = V::nb(1, f1);
    if (s > 12 && V::W(f0) && V::W(f1) && V::e(k2) && V::e(k3) && (f0f0 == 0 || V::e(f0f0)) &&
        (f1f1 == 0 || V::e(f1f1)) && V::e(s - 8)) {
        v -= 12;
        if (phase == 3) v -= 12;
        if (V::X(f0 - 8) && V::X(f1 - 8)) v -= 15;
    }
    // The front: free squares count, an enemy man that can jump it costs dearly.
    int f = 0;
    if (V::e(f0))
        f += 2;
    else if (V::X(f0) && V::e(k3))
        v -= 50;
    if (V::e(f1)) {
        f += 2;
    } else if (V::X(f1)) {
        if (V::e(k2)) v -= 50;
    } else if (s < 20 && f == 0 && V::e(k2) && V::e(k3)) {
        v -= 10;
    }
    v += f;
    // Both ways forward open: reward the road unless enemy men wait two rows up.
    const bool reach = Mirror ? s <= 25 : s < 24;
    if (f == 4 && reach) {
        int c = 0;
        if (!V::X(f0f0))
            v += 5;
        else
            ++c;
        if (!V::X(f1f1))
            v += 5;
        else
            ++c;
        if (c > 0 && V::X(s - 8) && V::e(k2) && V::e(k3)) {
            v -= 5;
            if (c == 2) v -= 15;
        }
    }
    return v;
}

// The squares the rules look at, inner squares from 9 on, as real squares of the men that
// stand there: White's as they are, Black's turned round (virtual v is real 33 - v).
constexpr uint32_t watched_squares(bool mirror) {
    uint32_t set = 0;
    for (int v = 9; v <= 31; ++v)
        if (inner_square[v]) set |= uint32_t{1} << ((mirror ? 33 - v : v) - 1);
    return set;
}

// men: the real squares of the side's men (bit s - 1).
template <bool Mirror>
int white_side_total(int phase, uint32_t men) {
    int sum = 0;
    for (uint32_t m = men & watched_squares(Mirror); m != 0; m &= m - 1) {
        const int real = std::countr_zero(m) + 1;
        sum += man_mobility<Mirror>(Mirror ? 33 - real : real, phase);
    }
    return sum;
}

}  // namespace

int men_mobility_white(int phase, const Occupancy& b) {
    return std::clamp(
        white_side_total<false>(phase, b.white) - white_side_total<true>(phase, b.black),
        -MOBILITY_CLAMP, MOBILITY_CLAMP);
}

int men_mobility_white(int phase) {
    return men_mobility_white(phase, occupancy_of_board());
}

}  // namespace qv
