// Endgame databases: exact scores for positions of four pieces or fewer, and the
// kings-against-men recogniser.
#pragma once

#include <cstdint>

namespace qv {

// Set at start-up just before load_endgame_tables(); cleared by the start-position fill;
// a probe that finds it clear loads the tables first.
extern bool tables_loaded;

// Reads the 19 tables from the program's directory (missing files leave a table all zero
// and are named on standard error).
void load_endgame_tables();

// When one of the 19 tables covers the material on board, sets `score` (from the root
// side's view, by the parity of `ply`) and returns true; otherwise returns false.
bool probe_endgame(int root_side, int ply, int16_t& score);

// Kings of one colour against a few men of the other: true when the kings win.
// kings_are_black: the kings are Black's (the mirror of the White-king patterns).
bool recognise_kings_against_men(int men_count, bool kings_are_black);

}  // namespace qv
