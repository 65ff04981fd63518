// Loads what the search reads: keys and tables, opening lists, position table, default
// evaluation parameters, endgame tables. For programs without the game's start-up sequence (the
// CLI, tests).
#pragma once

#include <string>
#include <vector>

namespace qv {

// The files the engine reads that are in neither the person's folder nor the shipped data.
std::vector<std::string> missing_data_files();

// Idempotent: the second call only empties the transposition table.
void start_engine(bool with_endgame_tables = true);

}  // namespace qv
