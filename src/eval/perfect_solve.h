// Retrograde solution of the perfect-play tables with the program's own move generator.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "eval/perfect_tables.h"

namespace qv {

// A material and its mirror, solved together because plain moves lead from one to the
// other; one table when the material is its own mirror.
struct MaterialPair {
    Material first;
    bool single = false;
};

// The pairs of `pieces` pieces in an order where every capture and every promotion leads
// into a table solved before (fewer pieces, then fewer men).
std::vector<MaterialPair> solving_order(int pieces);

// Called while a pair is solved: positions done of `total` in this pair.
using SolveProgress = std::function<void(const Material& m, uint64_t done, uint64_t total)>;

// Solves a pair into `set`. Every table that a capture or promotion leads into must be in
// `set` already. False with a reason when one is missing or a game is too long for a byte.
// Uses board and the ply-1 move list.
bool solve_pair(PerfectSet& set, const MaterialPair& pair, const SolveProgress& progress,
                std::string& error);

// Solves the tables of `from_pieces` to `to_pieces` pieces in order and writes each pair's
// files into `dir` as it is done. With `reuse`, a table that `dir` already holds whole is
// read instead of solved (an interrupted run goes on where it stopped). Tables of fewer
// pieces must be in `set`.
bool solve_and_write(PerfectSet& set, int from_pieces, int to_pieces,
                     const std::filesystem::path& dir, bool reuse, const SolveProgress& progress,
                     std::string& error);

}  // namespace qv
