// Move generation speed: one generation in typical positions, and a small perft.
#include <benchmark/benchmark.h>

#include <string>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/perft.h"

namespace {

const char* const POSITIONS[] = {
    "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",  // start
    "B:W17,18,21,22,23,25,26,27,29,30,31:B2,3,4,6,7,8,10,11,14,15,16",     // middle game
    "W:WK3:B6,7,14,15",                                                    // king round trip
    "W:WK30,K22:BK26,18,27,K20,11,7",                                      // kings and captures
};

void BM_Generate(benchmark::State& state) {
    qv::Position p;
    std::string error;
    qv::parse_fen(POSITIONS[state.range(0)], p, error);
    qv::set_position(p);
    qv::reset_lists();
    qv::movegen.ply = 1;
    for (auto _ : state) benchmark::DoNotOptimize(qv::generate(p.side_to_move));
}
BENCHMARK(BM_Generate)->DenseRange(0, 3);

void BM_Perft7(benchmark::State& state) {
    qv::set_start_position();
    qv::reset_lists();
    for (auto _ : state) {
        qv::movegen.ply = 1;
        benchmark::DoNotOptimize(qv::perft(7, qv::WHITE));
    }
    state.SetItemsProcessed(state.iterations() * 177532);
}
BENCHMARK(BM_Perft7)->Unit(benchmark::kMillisecond);

}  // namespace
