// Move-path enumeration counts: every generated move counts, the last ply in bulk.
#pragma once

#include <cstdint>

namespace qv {

// Leaves at `depth` plies below board with `side` to move. Uses the lists from
// movegen.ply upward and leaves board as it found it. depth >= 1, at most 34 - ply.
uint64_t perft(int depth, int side);

// One walk to `depth` that counts the leaves of every depth on the way:
// counts[d] += perft(d) for d = 1..depth (the caller zeroes counts). Subtrees met again
// through another move order are looked up in a table instead of walked again.
void perft_all(int depth, int side, uint64_t counts[]);

// The same counts by the plain walk that generates and plays every move down to the last
// ply: the yardstick for the speed of perft_all.
void perft_plain(int depth, int side, uint64_t counts[]);

}  // namespace qv
