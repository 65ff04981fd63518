// The computer opponent as the window sees it: one call that chooses a move for the side
// to move, and the two flags by which the window stops it.
#pragma once

#include <cstdint>

#include "search/driver.h"  // NO_MOVE, SINGLE_MOVE

namespace qv::ui {

class Engine {
  public:
    virtual ~Engine() = default;
    // Loads what the search reads (keys, tables, opening lists, parameters). The window
    // calls it at start-up once it reports failures itself.
    virtual void start() {}
    // Index of the chosen move in the ply-1 list, NO_MOVE or SINGLE_MOVE. The window's
    // events are processed meanwhile through qv::host().process_events().
    virtual int choose_move(int side, bool pondering) = 0;
    // stop: play the best move found so far; abandon: play nothing.
    virtual void request_stop(bool abandon) = 0;
    virtual void clear_stop() = 0;
    virtual bool stop_requested() const = 0;
    virtual bool abandoned() const = 0;
    // Score of the last completed iteration, from the searching side's view, and that side
    // (the person's after a search on the person's time).
    virtual int last_score() const = 0;
    virtual int last_score_side() const = 0;
    // The level: time budget and clock limit (budgets 1..5 are fixed depths).
    virtual void set_level(int32_t time_budget, int32_t clock_limit) = 0;
    // A depth every search stops at whatever the level (0: the level decides); the
    // window's analysis follows it too.
    virtual int fixed_depth() const { return 0; }
};

}  // namespace qv::ui
