// Checks of the perfect-play tables: every entry against its moves, seen from either
// colour, and the nineteen tables against them.
#pragma once

#include <cstdint>
#include <string>

#include "eval/egdb_store.h"
#include "eval/perfect_tables.h"

namespace qv {

struct PerfectSummary {
    uint64_t wins = 0, draws = 0, losses = 0;
    int longest_win = 0;
    uint32_t longest_index = 0;  // an entry holding the longest win
};

// Re-derives every entry of the table of `m` in `set` from the entries its moves lead to
// (the best over the moves: the shortest win, else the longest loss, else a draw), once
// with White to move and once on the colour-mirrored board with Black to move; kings-only
// positions must also keep their value with the board turned half round. Every table a
// move leads into must be in `set`. On the first fault returns false with `error`.
// Uses board and the ply-1 move list.
bool verify_perfect(const PerfectSet& set, const Material& m, PerfectSummary& summary,
                    std::string& error);

// How the nineteen tables' bytes fall against the perfect tables' values.
struct Correspondence {
    uint64_t positions = 0;   // legal positions of the nineteen tables
    uint64_t same = 0;        // same outcome and the same number of plies
    uint64_t other = 0;       // anything else
    std::string first_other;  // the first disagreement, in words
};
// Needs every perfect table of four pieces or fewer in `set`.
Correspondence compare_with_nineteen(const EndgameTables& nineteen, const PerfectSet& set);

}  // namespace qv
