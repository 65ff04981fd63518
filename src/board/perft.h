// Move-path enumeration counts: every generated move counts, the last ply in bulk.
#pragma once

#include <cstdint>

namespace qv {

// Leaves at `depth` plies below board with `side` to move. Uses the lists from
// movegen.ply upward and leaves board as it found it. depth >= 1, at most 34 - ply.
uint64_t perft(int depth, int side);

}  // namespace qv
