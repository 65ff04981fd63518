// Fixed-depth searches: the start position and a middle game, fresh tables each time.
#include <benchmark/benchmark.h>

#include <string>

#include "board/board.h"
#include "board/fen.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace {

void search_position(benchmark::State& state, const char* fen) {
    qv::start_engine();
    qv::search.library_enabled = 0;
    qv::Position p;
    std::string error;
    if (!qv::parse_fen(fen, p, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    static qv::SearchInputs in;
    int64_t nodes = 0;
    for (auto _ : state) {
        qv::set_position(p);
        qv::clear_table();
        qv::search.last_score = 0;
        in = qv::SearchInputs{};
        in.fixed_depth = static_cast<int>(state.range(0));
        benchmark::DoNotOptimize(qv::choose_move(p.side_to_move, in));
        nodes += qv::search.node_count;
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void BM_SearchStart(benchmark::State& state) {
    search_position(state, qv::START_FEN);
}
void BM_SearchMiddleGame(benchmark::State& state) {
    search_position(state, "W:W17,21,22,25,26,27,29,30,31:B1,2,3,5,6,7,9,11,14");
}

BENCHMARK(BM_SearchStart)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchMiddleGame)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
