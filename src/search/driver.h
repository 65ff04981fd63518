// The one entry into the engine: choose a move for the side to move.
#pragma once

#include <cstdint>

#include "search/search_state.h"

namespace qv {

inline constexpr uint8_t NO_MOVE = 100;
inline constexpr uint8_t SINGLE_MOVE = 254;

// Index 0..69 in the ply-1 list, NO_MOVE, or SINGLE_MOVE (play index 0 without search).
// 0 also after search_abandoned (the caller checks that flag). `in` gives the game's ply,
// clocks, level and line; in.move_start receives the clock including this search.
uint8_t choose_move(int side, SearchInputs& in);

// Rewrites the progress lines (ListBox2) through the host.
void show_progress(int16_t score, int shown_depth);

// Seconds allotted to a move (and the derived limits), as the driver computes them.
struct Allotment {
    int32_t allotted = 0;
    int32_t hard_limit = 0;
    int32_t clock_cap = 0;
};
Allotment allot_time(int32_t budget, int32_t clock_limit, int32_t move_start, int game_ply,
                     bool analysis);

// The stop button: the search ends at its next child and plays its best move so far.
void pause();

// Lets legal_moves clear the killer tables (the driver installs the ordering hook itself,
// for the time of a search).
void install_search_hooks();

}  // namespace qv
