// The computer opponent: the engine's search driver behind the window's Engine interface.
#pragma once

#include "search/search_state.h"
#include "ui/engine.h"

namespace qv::ui {

class SearchEngine : public Engine {
  public:
    // A fixed depth holds every search to it (0: the level decides).
    explicit SearchEngine(int fixed_depth = 0);
    // The keys, tables, opening lists, parameters and endgame tables, loaded once.
    void start() override;
    int choose_move(int side, bool pondering) override;
    void request_stop(bool abandon) override;
    void clear_stop() override;
    bool stop_requested() const override;
    bool abandoned() const override;
    int last_score() const override;
    int last_score_side() const override { return search.root_side; }
    void set_level(int32_t time_budget, int32_t clock_limit) override;
    int fixed_depth() const override { return inputs_.fixed_depth; }
    // The clock of the side that searched, including the search (after choose_move).
    int32_t move_start() const { return inputs_.move_start; }

  private:
    SearchInputs inputs_;
};

}  // namespace qv::ui
