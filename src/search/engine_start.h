// Loads what the search reads: keys and tables, opening lists, position table, default
// evaluation parameters, endgame tables. For programs without the game's start-up sequence (the
// CLI, tests).
#pragma once

namespace qv {

// Idempotent: the second call only empties the transposition table.
void start_engine(bool with_endgame_tables = true);

}  // namespace qv
