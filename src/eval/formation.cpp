// Formation rules: additive, each with its phase gate, from White's view; each is followed
// by its colour mirror. Squares: White's back row is 29..32, Black's 1..4; a white man
// moves toward smaller numbers. The last field of a row is its test position's extra men.
#include <algorithm>
#include <array>

#include "eval/knowledge.h"
#include "eval/pattern.h"

namespace qv {
namespace {

constexpr std::array RULES = {
    // -- Back corner (32 and 28 open: Black's men can come through the double corner).
    make_pattern("E32 E28", -10, "W29 X5"),       // the corner is open
    make_pattern("E32 E28 O24", -10, "W24 X9"),   // and its last guard stands alone on 24
    make_pattern("E32 E28 O24 X20", -25, "W24"),  // with a black man already on 20
    make_pattern("P0 E32 E28", -10, "W21"),       // opened in the opening: too early
    // -- A man on 12 beside an open 3 reaches the crown through the corner.
    make_pattern("W12 E3", 15, "X4"),      // the crown is one open square away
    make_pattern("W12 E3 X4", 10, "W30"),  // and Black's 4 cannot leave to stop it
    // -- Black left 2 in the opening: its back row is thin.
    make_pattern("P0 E2", 3, "W30"),          // a hole in Black's back row
    make_pattern("P<2 E1 E2 W13", 10, "X5"),  // a white man on 13 aims at the hole
    make_pattern("P<2 E1 E2 W14", 10, "X6"),  // so does one on 14
    // -- Ending: White's men on 16 and 19 held by Black's 7 and 12 with the centre empty.
    make_pattern("P>1 X7 X12 W16 W19 E15 E10 E11", -5, "W30"),                  // the pair is stuck
    make_pattern("P>1 X7 X12 W16 W19 E15 E10 E11 E4 E8 E23 E27 E26", -10, ""),  // and alone
    make_pattern("P>1 X7 X12 W16 W19 E15 E10 E11 E4 E8 E23 E27 E26 W24", -10, ""),  // 24 too
    make_pattern("P>1 X7 X12 W16 W19 E15 E10 E11 E4 E8 E23 E27 E26 W28", -10, ""),  // 28 too
    // -- White's left wing 20, 24, 28 against Black's 11, 15, 16, 19 with 27 open.
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 E26", 25, ""),  // the wing holds Black's four
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 O26", -5, ""),  // 26 blocks White's regroup
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 E12", 20, ""),  // 12 open: 16 can be won
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 O4", 5, "X4"),  // Black's back row is tied
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 O8", 5, "X8"),  // so is its 8
    make_pattern("W20 W24 W28 X11 X15 X16 X19 E27 E3", 10, ""),   // a road through 3
    // -- 29 gone with men on 25 and 26: Black's men on 15 and 13 press that wing.
    make_pattern("P<2 E29 W25 W26 X15", -10, ""),      // 15 eyes the gap behind 25
    make_pattern("P<2 E29 W25 W26 X15 O21", -2, ""),   // 21 taken: less room to answer
    make_pattern("P<2 E29 W25 W26 X13", -5, ""),       // 13 presses 17 and 21
    make_pattern("P<2 E29 W25 W26 X13 X17", -5, ""),   // with 17 the wedge is in
    make_pattern("P<2 E29 W25 W26 X13 O21", -10, ""),  // and 21 shut: no counter
    // -- A man on 11 or 10 with the crowning squares in front of it open.
    make_pattern("W11 E3 E7 E8", 50, ""),         // crowns through 3 or 8
    make_pattern("W11 E3 E7 E8 X2 X4", -15, ""),  // Black's 2 and 4 can still close in
    make_pattern("W10 E2 E6 E7", 60, ""),         // crowns through 2 or 6
    make_pattern("W10 E2 E6 E7 X1 X3", -15, ""),  // Black's 1 and 3 can still close in
    // -- Own rules.
    make_pattern("P<2 W18 W22 W23", 8, "X14"),  // a centre man backed on both sides cannot be taken
    make_pattern("P<2 W19 W23 W24", 6, "X15"),  // the same on 19
    make_pattern("P<2 W18 W19", 6, ""),         // both central squares of White's half held
    make_pattern("W14 W17 W18", 8, "X9"),       // a backed outpost on 14 cramps Black's right
    make_pattern("W15 W18 W19", 8, "X11"),      // a backed outpost on 15 cramps Black's left
    make_pattern("W14 E17 E18", -6, "W30"),     // an outpost with nothing behind is a target
    make_pattern("W15 E18 E19", -6, "W30"),     // the same on 15
    make_pattern("W13 X9", -5, "W30"),          // an edge man whose only square is taken
    make_pattern("W20 X16", -5, "W30"),         // the same on the other edge
    make_pattern("P>1 E29 E30 E31 E32", -10, ""),  // no back-row guard: any black man crowns
    make_pattern("P<2 W20 W28", -4, ""),           // two men parked on the left edge do little
    make_pattern("P<2 W21 W29", -4, ""),           // nor on the right edge
    make_pattern("P<2 W22 W26 W30", 4, ""),        // a solid chain from the back row to 22
};

constexpr PatternList ALL(with_mirrors(RULES));

}  // namespace

std::span<const Pattern> formation_rules() {
    return ALL.rules();
}

int formation_white(bool t, int phase, const Occupancy& b) {
    return std::clamp(ALL.sum_matches(b, t, phase), -50, 50);
}

int formation_white(bool t, int phase) {
    return formation_white(t, phase, occupancy_of_board());
}

}  // namespace qv
