#include "ui/search_engine.h"

#include "game/clocks.h"
#include "game/game_record.h"
#include "search/driver.h"
#include "search/engine_start.h"

namespace qv::ui {

SearchEngine::SearchEngine(int fixed_depth) {
    inputs_.fixed_depth = fixed_depth;
}

void SearchEngine::start() {
    start_engine();
}

int SearchEngine::choose_move(int side, bool pondering) {
    // The game so far: ply count, clocks and moves (for the repetition rule and the book).
    const int g = game.current_ply;
    inputs_.game_ply = g;
    inputs_.white_clock = clocks.white_clock;
    inputs_.black_clock = clocks.black_clock;
    for (int p = 1; p <= g && p < 256; ++p) {
        const PlyRecord& e = game.game_record[p];
        inputs_.line[p] = {e.from, e.to, e.capture_count};
    }
    search.pondering = pondering ? 1 : 0;
    search.search_abandoned = 0;
    const int result = qv::choose_move(side, inputs_);
    search.pondering = 0;
    return result;
}

void SearchEngine::request_stop(bool abandon) {
    search.stop_requested = 1;
    if (abandon) search.search_abandoned = 1;
}

void SearchEngine::clear_stop() {
    search.stop_requested = 0;
    search.search_abandoned = 0;
}

bool SearchEngine::stop_requested() const {
    return search.stop_requested != 0;
}

bool SearchEngine::abandoned() const {
    return search.search_abandoned != 0;
}

int SearchEngine::last_score() const {
    return search.last_score;
}

void SearchEngine::set_level(int32_t time_budget, int32_t clock_limit) {
    inputs_.time_budget = time_budget;
    inputs_.clock_limit = clock_limit;
}

}  // namespace qv::ui
