// The computer's look-ahead: two mutually recursive node functions over the one board,
// the move maker with its incremental updates, and the killer heuristic.
#pragma once

#include <cstdint>

#include "board/movegen.h"
#include "search/search_state.h"

namespace qv {

// Nodes where the root side moves (odd plies) and where its opponent moves (even plies).
// Scores are always from the root side's view.
int16_t search_max(int16_t alpha, int16_t beta, int8_t p);
int16_t search_min(int16_t alpha, int16_t beta, int8_t p);

// Plays move i of the current ply's list and brings keys, sums and counts up to date.
void make_search_move(int i);
// Starts loading the table slots that the child after move m (of the current node, not
// yet made) will probe first thing, so that the loads overlap the search of the siblings
// before it. `child_probes_table`: the child is in the transposition table's range.
void prefetch_child(const Move& m, bool child_probes_table);

// Row p of the principal variation becomes `move` followed by row p + 1.
void copy_pv(const Move& move, int p);

void update_killers(const Move& move, int16_t score, int p);
void note_best_move(const Move& move, int16_t score, int p);
void killer_ordering(Move* list, int count, int p);
void clear_killers();
void clear_best_moves();
void seed_killers(int16_t score, int last_ply);

// Forced-line pruning after a move at a node whose side to move has won g units since the
// root (men 1, kings 3), e its effective depth. `advancing`: either advance flag is set.
enum class Prune {
    none,        // search the move
    value_move,  // value the move statically
    end_node,    // end the node with the static value
};
Prune forced_line(int pieces, int quiet_plies, int g, int e, int depth, bool advancing);

// Root move m repeats the game four plies back (game ply g), with the last two moves
// each repeating the ones four plies before them by start square and capture count.
bool repeats_game(const Move& m, const SearchInputs& in, int g);

// The generator's ordering hook (principal variation, hash move, killers, root scores).
void search_ordering_hook(Move* list, int count, bool captures);

}  // namespace qv
