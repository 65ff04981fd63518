// Retrograde solution of every position of the 19 endgame tables at once.
#pragma once

#include <string>

#include "eval/egdb_store.h"

namespace qv::egdb {

// Fills `out` with the value of every table position (White to move, see egdb_tables.h
// for the byte meaning). False, with a reason in `error`, when the tables are not closed
// under moves or a game is longer than a signed byte can hold.
bool solve_all(EndgameTables& out, std::string& error);

}  // namespace qv::egdb
