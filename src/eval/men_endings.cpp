// Decisive patterns of endings with men only, from White's view, first match wins; each is
// followed by its colour mirror. A man is never taken by a man from behind, black men never
// step back onto Black's back row 1..4, and a man crowned on 1..4 is safe from men: so a
// white man whose road and whose flanks are empty reaches the crown. The last field of a
// row is its test position's extra men (they must not change the verdict).
#include <array>

#include "eval/knowledge.h"
#include "eval/pattern.h"

namespace qv {
namespace {

constexpr std::array RULES = {
    // -- The classic breakthrough from 13 with a partner on 9 or 10.
    make_pattern("T W13 E6 E1 W9 ^X2 ^W14 ^E18", 180, "X4 W30"),      // 13-9-5-1 cannot be stopped
    make_pattern("T W13 E6 E1 W10 ^X2 ^W14 ^E18", 180, "X4 W30"),     // 10 covers the way by 6
    make_pattern("T W13 E6 W10 W9 ^X2 ^W14 ^E18", 180, "X1 X4"),      // 9 backed, 10 shut by White
    make_pattern("T W13 E6 W15 O19 W9 ^X2 ^W14 ^E18", 180, "X1 X3"),  // 15 and 19 hold Black's left
    make_pattern("T W13 E6 W15 O19 W10 ^X2 ^W14 ^E18", 180, "X1 X3"),  // the same with 10
    // -- White to move, a man on the row before the crown with an open square: crowned now.
    make_pattern("T W5 E1", 180, "X2 W30"),  // 5-1
    make_pattern("T W6 E1", 180, "X4 W30"),  // 6-1
    make_pattern("T W6 E2", 180, "X1 W30"),  // 6-2
    make_pattern("T W7 E2", 180, "X3 W30"),  // 7-2
    make_pattern("T W7 E3", 180, "X2 W30"),  // 7-3
    make_pattern("T W8 E3", 180, "X4 W30"),  // 8-3
    make_pattern("T W8 E4", 180, "X3 W30"),  // 8-4
    // -- Black to move, the same man cannot be taken (its other front square is empty, or
    //    the black man there has no landing square behind it): crowned next move. The
    //    square behind must hold a white man: a black one steps away into a sacrifice that
    //    White must take, and the jump is open.
    make_pattern("N W5 E1", 120, "X3 W30"),     // 5 has one front square, nobody takes it
    make_pattern("N W6 E1 E2", 120, "X4 W30"),  // both ways open, no black man above
    make_pattern("N W6 E1 X2 W9", 120, "X4"),   // 2 cannot jump 6: 9 is held
    make_pattern("N W6 E2 X1 W10", 120, "X4"),  // 1 cannot jump 6: 10 is held
    make_pattern("N W7 E2 E3", 120, "X1 W30"),  // both ways open
    make_pattern("N W7 E2 X3 W10", 120, "X1"),  // 3 cannot jump 7: 10 is held
    make_pattern("N W7 E3 X2 W11", 120, "X4"),  // 2 cannot jump 7: 11 is held
    make_pattern("N W8 E3 E4", 120, "X1 W30"),  // both ways open
    make_pattern("N W8 E3 X4 W11", 120, "X1"),  // 4 cannot jump 8: 11 is held
    make_pattern("N W8 E4 X3 W12", 120, "X1"),  // 3 cannot jump 8: 12 is held
    // -- White to move, a man two rows from the crown steps to a square whose back-row
    //    neighbours are empty: nothing can take it or close its road.
    make_pattern("T W9 E5 E1", 120, "X3 W30"),      // 9-5-1
    make_pattern("T W9 E6 E1 E2", 120, "X4 X5"),    // 9-6 and 1 or 2
    make_pattern("T W10 E6 E1 E2", 120, "X4 W30"),  // 10-6 and 1 or 2
    make_pattern("T W10 E7 E2 E3", 120, "X1 W30"),  // 10-7 and 2 or 3
    make_pattern("T W11 E7 E2 E3", 120, "X1 W30"),  // 11-7 and 2 or 3
    make_pattern("T W11 E8 E3 E4", 120, "X1 X2"),   // 11-8 and 3 or 4
    make_pattern("T W12 E8 E3 E4", 120, "X1 W30"),  // 12-8 and 3 or 4
    // -- The later classic: 18 and 14 against Black's 5 with 9 and 1 open, unless 5 takes
    //    on through a white man on 17 into an open 21.
    // 14-9 forces the way to 1.
    make_pattern("T W18 O23 E9 X5 E1 W14 !X6 ^W17 ^E21", 120, "X3 W26"),
    make_pattern("T W18 O23 E9 X5 E1 W14 O13 ^W17 ^E21", 120, "X6 X3"),  // 13 held: 6 cannot answer
    // -- Black to move, the same runaway from two rows out: nothing can enter the square it
    //    goes to, and the man is not taken first (its other front square is empty, or the
    //    black man there cannot land behind it). The white man holding the landing square
    //    must not be made to take: no black man may stand, or arrive, where it would have to.
    make_pattern("N W9 E5 E6 E1 E2", 80, "X4 W30"),                // 9-5 or 9-6
    make_pattern("N W9 E5 E1 X6 W13", 80, "X4"),                   // 6 cannot jump 9: 13 is held
    make_pattern("N W9 E6 E1 E2 X5 W14 !X7 !X10", 80, "X4"),       // 5 cannot jump 9: 14 stays
    make_pattern("N W10 E6 E7 E1 E2 E3", 80, "X4 W30"),            // 10-6 or 10-7
    make_pattern("N W10 E6 E1 E2 X7 W14 !X5 !X9", 80, "X4"),       // 7 cannot jump 10: 14 stays
    make_pattern("N W10 E7 E2 E3 X6 W15 !X11 !X8", 80, "X4"),      // 6 cannot jump 10: 15 stays
    make_pattern("N W11 E7 E8 E2 E3 E4", 80, "X1 W30"),            // 11-7 or 11-8
    make_pattern("N W11 E7 E2 E3 X8 W15 !X1 !X6 !X10", 80, "X4"),  // 8 cannot jump 11: 15 stays
    make_pattern("N W11 E8 E3 E4 X7 W16", 80, "X1"),               // 7 cannot jump 11: 16 is held
    make_pattern("N W12 E8 E3 E4", 80, "X1 W30"),                  // 12-8: no other front square
    // -- Three rows out, White to move: the whole cone ahead of the next square is empty,
    //    so no black man can ever stand in front of or beside the runner.
    make_pattern("T W13 E9 E5 E6 E1 E2", 80, "X4 W30"),      // 13-9 then 5 or 6
    make_pattern("T W14 E9 E5 E6 E1 E2", 80, "X4 W30"),      // 14-9
    make_pattern("T W14 E10 E6 E7 E1 E2 E3", 80, "X4 X5"),   // 14-10
    make_pattern("T W15 E10 E6 E7 E1 E2 E3", 80, "X4 W30"),  // 15-10
    make_pattern("T W15 E11 E7 E8 E2 E3 E4", 80, "X1 W30"),  // 15-11
    make_pattern("T W16 E11 E7 E8 E2 E3 E4", 80, "X1 W30"),  // 16-11
    make_pattern("T W16 E12 E8 E3 E4", 80, "X1 X2"),         // 16-12
    // -- The same with Black to move: the man must not be open to a jump from its other
    //    front square first, nor to a sacrifice it must take from there when a black man
    //    stands ready to take it back (14-9 with 7-10 14x7 3x10 in the air). There are no
    //    rows for 14-10, 15-11 and 16-12: made safe against those sacrifices they only
    //    matched positions that rows above already judge.
    make_pattern("N W13 E9 E5 E6 E1 E2", 80, "X4 W30"),               // 13 has one front square
    make_pattern("N W14 E9 E5 E6 E1 E2 !X10 !X7 !X3", 80, "X4 W30"),  // 14-9
    make_pattern("N W15 E10 E6 E7 E1 E2 E3 !X11 !X8", 80, "X4 W30"),  // 15-10
    make_pattern("N W16 E11 E7 E8 E2 E3 E4 !X12", 80, "X1 W30"),      // 16-11
};

constexpr PatternList ALL(with_mirrors(RULES));

}  // namespace

std::span<const Pattern> men_ending_rules() {
    return ALL.rules();
}

int first_men_ending(const Occupancy& b, bool t) {
    return ALL.first_match(b, t, 0);
}

int men_ending_white(bool t, const Occupancy& b) {
    const int i = first_men_ending(b, t);
    return i < 0 ? 0 : ALL.rules()[static_cast<size_t>(i)].value;
}

int men_ending_white(bool t) {
    return men_ending_white(t, occupancy_of_board());
}

}  // namespace qv
