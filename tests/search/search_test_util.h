// Helpers for the search tests: set a position, run the driver.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "common/fen.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace qv::test {

// A fresh engine state and a fixed-depth search (no book, no time limit).
inline uint8_t search_fixed(const char* fen, int depth, SearchInputs& in) {
    start_engine();
    search.library_enabled = 0;
    search.last_score = 0;
    search.stop_requested = 0;
    search.search_abandoned = 0;
    search.pondering = 0;
    search.analysis_mode = 0;
    const int side = set_fen(fen);
    in.fixed_depth = depth;
    return choose_move(side, in);
}

}  // namespace qv::test
