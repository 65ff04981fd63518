// Positions that men-ending rows used to judge as a runaway for White when Black stops the
// man: a sacrifice that the runner, or the man holding its landing square, must take, or a
// capture that runs on through the runner. Each is given with the row that matched it (as
// its text, from White's view) and the verdict of the rows now: 0, or a row that holds (the
// 11-8 runaway beside the lost 9, a black runaway of Black's own).
#pragma once

#include <string>

#include "common/case_name.h"

namespace qv::test {

struct StoppedRunner {
    const char* name;
    const char* fen;
    const char* old_row;  // the row that matched, no longer in the list
    int verdict_now;      // men_ending_white for the side to move in the FEN
};

inline constexpr StoppedRunner STOPPED_RUNNERS[] = {
    {"holder9_steps_into_17x10", "B:W7,20:B3,12", "N W6 E1 X2 O9", 0},
    {"holder10_steps_into_18x9", "B:W7,19:B4,11", "N W6 E2 X1 O10", 0},
    {"holder10_steps_into_18x9_for_3x7", "B:W6,19:B2,11", "N W7 E2 X3 O10", 0},
    {"holder11_steps_into_19x10", "B:W6,18:B3,10", "N W7 E3 X2 O11", 0},
    {"holder11_steps_into_19x10_for_4x8", "B:W5,18:B1,10", "N W8 E3 X4 O11", 0},
    {"holder12_steps_into_20x11", "B:W5,17:B2,9", "N W8 E4 X3 O12", 0},
    {"holder14_made_to_take_on_10", "B:W12,15,20:B6,8", "N W9 E6 E1 E2 X5 O14", 0},
    {"holder14_made_to_take_on_9", "B:W11,15,19:B2,6,8", "N W10 E6 E1 E2 X7 O14", 0},
    {"holder15_made_to_take_on_11", "B:W11,14,18:B4,5,7,16", "N W10 E7 E2 E3 X6 O15", 0},
    {"black_holder15_steps_away", "B:W10,22:B1,4,5,12,14,16", "N W11 E7 E2 E3 X8 O15", 0},
    {"black_holder16_steps_away", "B:W10,16,24,29:B3,4,6,13,20", "N W11 E8 E3 E4 X7 O16", -80},
    {"runner14_takes_7_10_and_3_retakes", "B:W15:B2,6", "N W14 E9 E5 E6 E1 E2 !X10", 0},
    {"runner15_takes_8_11_and_4_retakes", "B:W14:B1,5", "N W15 E10 E6 E7 E1 E2 E3 !X11", 0},
    {"runner15_takes_6_10_and_1_retakes", "B:W14:B4,7", "N W15 E11 E7 E8 E2 E3 E4 !X10", 0},
    {"runner16_takes_7_11_and_2_retakes", "B:W13:B3,6", "N W16 E12 E8 E3 E4 !X11", 0},
    {"black10_leaves_and_1_takes_6", "W:W10,12,16:B3,4,6,11", "T W13 E6 O10 W9 ^X2 ^W14 ^E18", 120},
    {"five_takes_on_through_17", "W:W15,19,20:B3,6,8,21,22", "T W18 O23 E9 X5 E1 W14 !X6", -80},
};

}  // namespace qv::test
