// Move-path enumeration counts: every generated move counts, the last ply in bulk.
#pragma once

#include <cstdint>

namespace qv {

// Leaves at `depth` plies below board with `side` to move. Uses the lists from
// movegen.ply upward and leaves board as it found it. depth >= 1, at most 34 - ply.
uint64_t perft(int depth, int side);

// One walk to `depth` that counts the leaves of every depth on the way:
// counts[d] += perft(d) for d = 1..depth (the caller zeroes counts).
void perft_all(int depth, int side, uint64_t counts[]);

}  // namespace qv
