// Process-wide state of the search: the driver's clocks and flags, the node counters, the
// principal variation and the killer tables. One instance, `search`.
#pragma once

#include <cstdint>

#include "board/movegen.h"

namespace qv {

inline constexpr int16_t INF_SCORE = 32000;
inline constexpr int16_t DECIDED = 30000;    // beyond this a result is decided
inline constexpr int16_t PVS_LIMIT = 31000;  // no re-search, no window narrowing beyond
inline constexpr int16_t KINGS_WIN = 31001;  // the kings-against-men recogniser
// The score an analysis gives a position with one legal move (it is not searched).
inline constexpr int16_t SINGLE_MOVE_SCORE = 32001;
inline constexpr int MAX_DEPTH = 30;
inline constexpr int PV_SIZE = 36;

// One move of the game as the caller records it (plies 1..game_ply).
struct GameMove {
    uint8_t from = 0;
    uint8_t to = 0;
    uint8_t captures = 0;
};

// What the caller (game, analysis, CLI) tells the driver before choose_move, and what the
// driver writes back (move_start).
struct SearchInputs {
    int game_ply = 0;  // half-moves played so far
    int32_t white_clock = 0;
    int32_t black_clock = 0;
    int32_t time_budget = 160;
    int32_t clock_limit = 178;
    GameMove line[256] = {};     // line[k]: the move of ply k, 1..game_ply (and beyond in analysis)
    int analysis_end_ply = 0;    // last ply of the analysed game
    int fixed_depth = 0;         // 1..30: stop after that depth, no time limit (tools)
    bool no_time_limit = false;  // the caller stops the search itself (stop_requested)
    int32_t move_start = 0;      // out: the moving side's clock including this search
};

struct SearchState {
    // driver (time in whole seconds)
    int32_t clock_base = 0;
    int32_t move_start = 0;
    int32_t live_clock = 0;
    int32_t allotted = 0;
    int32_t hard_limit = 0;
    int32_t clock_cap = 0;
    uint8_t aspiration_failures = 0;
    int16_t root_static = 0;
    uint8_t library_enabled = 1;
    int game_ply = 0;
    const SearchInputs* inputs = nullptr;

    // search
    int32_t iteration_depth = 1;
    int32_t node_count = 0;
    int32_t poll_count = 0;
    volatile uint8_t stop_requested = 0;
    volatile uint8_t search_abandoned = 0;
    uint32_t pondering = 0;
    uint8_t analysis_mode = 0;
    uint8_t capture_plies[35] = {};
    int32_t root_reduction = 0;
    int16_t promotion_extension = 0;
    int32_t material_gain = 0;
    uint8_t quiet_plies = 0;
    uint8_t max_advance = 0;
    uint8_t min_advance = 0;
    uint8_t hash_from = 0;  // hash_move
    uint8_t hash_to = 0;
    bool pv_ordering = false;
    Move pv_table[PV_SIZE][PV_SIZE] = {};  // row p: the line from ply p, at columns p, p+1, ...
    Move killer_table[35][2] = {};         // scores in order_key
    Move best_move_table[35] = {};
    uint8_t root_from[MAX_MOVES] = {};
    uint8_t root_to[MAX_MOVES] = {};
    int16_t root_score[MAX_MOVES] = {};
    uint8_t best_root_index = 0;
    uint8_t interrupted_best = 0;
    int16_t last_score = 0;
    int16_t played_move_score = 0;
    int16_t root_last_value = 0;  // the value shown on a root line under search
    int root_side = 0;
};
extern SearchState search;

}  // namespace qv
