// Static evaluation speed: evaluate() on a fixed set of positions (start, random games
// from a fixed seed at several depths, endings with kings), full window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"
#include "eval/params.h"

namespace {

struct Sample {
    uint8_t squares[33];
    qv::EvalState state;
    int side;
    int8_t ply;
};

std::vector<Sample> make_samples() {
    qv::load_default_parameters();
    std::vector<Sample> samples;
    std::mt19937 rng(2024);
    auto keep = [&](int side, int ply) {
        qv::prepare_evaluation(side);
        qv::prepare_evaluation(side);
        Sample s;
        std::memcpy(s.squares, qv::board, sizeof s.squares);
        s.state = qv::eval_state;
        s.state.last_destination = 0;
        s.side = side;
        s.ply = static_cast<int8_t>(ply);
        samples.push_back(s);
    };
    for (int game = 0; game < 16; ++game) {
        qv::set_start_position();
        int side = qv::WHITE;
        for (int move = 0; move < 90; ++move) {
            if (move % 6 == 0) keep(move % 2 ? qv::BLACK : qv::WHITE, 1 + move % 4);
            const int n = qv::legal_moves(side);
            if (n == 0) break;
            qv::play_move(qv::move_lists[1][std::uniform_int_distribution<int>(0, n - 1)(rng)]);
            side = 1 - side;
        }
    }
    return samples;
}

const std::vector<Sample>& samples() {
    static const std::vector<Sample> s = make_samples();
    return s;
}

void restore(const Sample& s) {
    std::memcpy(qv::board, s.squares, sizeof s.squares);
    qv::eval_state = s.state;
    qv::movegen.ply = s.ply;
}

void BM_evaluate(benchmark::State& state) {
    const auto& list = samples();
    size_t i = 0;
    for (auto _ : state) {
        const Sample& s = list[i];
        restore(s);
        benchmark::DoNotOptimize(qv::evaluate(s.side, -32000, 32000));
        i = i + 1 == list.size() ? 0 : i + 1;
    }
    state.counters["positions"] = static_cast<double>(list.size());
}
BENCHMARK(BM_evaluate);

// The cost of restoring a sample alone, to subtract from the figure above.
void BM_restore_only(benchmark::State& state) {
    const auto& list = samples();
    size_t i = 0;
    for (auto _ : state) {
        restore(list[i]);
        benchmark::DoNotOptimize(qv::board);
        benchmark::ClobberMemory();
        i = i + 1 == list.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_restore_only);

}  // namespace
