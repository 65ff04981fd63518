// Checks a set of endgame tables against the moves of every position they hold.
#pragma once

#include <string>

#include "eval/egdb_store.h"

namespace qv {

struct TableSummary {
    int wins = 0;
    int draws = 0;
    int losses = 0;          // including the positions lost at once (no move)
    int longest_win = 0;     // plies
    int longest_index = -1;  // an entry holding the longest win (-1: no win)
};

// Checks every entry of table `t`: an index that no legal position produces holds 0;
// a position without a move holds LOST_NOW; a win in v has a move into a loss in v - 1
// (a loss in 0 being LOST_NOW or the capture of the last piece) and none into a shorter
// loss; a loss in v has every move into a win of at most v - 1 and one of exactly v - 1;
// a draw has no move into a loss and one into a draw. On the first fault returns false
// with a description in `error`. Uses board and the ply-1 move list.
bool verify_table(const EndgameTables& tables, int t, TableSummary& summary, std::string& error);

}  // namespace qv
