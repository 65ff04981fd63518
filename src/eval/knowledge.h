// The hand-written knowledge terms. Each is computed from White's view on board; the
// *_term(side) forms negate it for a Black side and take the turn from the search ply.
// t (the turn flag) is true when White is to move.
#pragma once

#include <cstdint>
#include <span>

#include "eval/pattern.h"

namespace qv {

// White to move under the convention that the root side moves at odd plies.
bool turn_flag(int side, int ply);

// Breakthrough of advanced men: doubled, clamped to [-100, 100].
int breakthrough_white(bool t);
int breakthrough_white(bool t, const Occupancy& b);
// Mobility and safety of men, [-60, 60]; phase 3 doubles the blocked-pair penalty.
int men_mobility_white(int phase);
int men_mobility_white(int phase, const Occupancy& b);
// Additive formation rules with phase gates, [-50, 50].
int formation_white(bool t, int phase);
int formation_white(bool t, int phase, const Occupancy& b);
// Kings forking two men, [-45, 45]. Reads piece_count for its gates.
int king_fork_white();
int king_fork_white(const Occupancy& b);
// Kings about to win men, [-500, 500].
int king_tactics_white(bool t);
int king_tactics_white(bool t, const Occupancy& b);
// First matching men-ending pattern: +-180, +-120, +-80 or 0. Meant for boards without kings.
int men_ending_white(bool t);
int men_ending_white(bool t, const Occupancy& b);

// The same, from the view of `side` at the search ply (movegen.ply) and prepared phase.
// The pattern terms take the board's occupancy, worked out once per evaluation.
int16_t breakthrough_term(int side, const Occupancy& b);
int16_t men_mobility_term(int side, const Occupancy& b);
int16_t formation_term(int side, const Occupancy& b);
int16_t king_fork_term(int side, const Occupancy& b);
int16_t king_tactics_term(int side, const Occupancy& b);
int16_t men_ending_patterns(int side, const Occupancy& b);

// The rule lists, each rule followed by its mirror.
std::span<const Pattern> formation_rules();
std::span<const Pattern> men_ending_rules();
// Index of the first men-ending pattern that matches, -1 for none.
int first_men_ending(const Occupancy& b, bool t);

}  // namespace qv
