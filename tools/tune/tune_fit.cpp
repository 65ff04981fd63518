#include "tune_fit.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>

#include "board/board.h"
#include "board/fen.h"
#include "eval/eval_tables.h"
#include "eval/evaluate.h"

namespace qv::tune {
namespace {

constexpr int LOWEST_VALUE = -100, HIGHEST_VALUE = 100;
constexpr int TUNED_ENTRIES = 28;  // entries 29..32 are the crowning row: never read

// White's view of the sample's static value under the live parameters.
int16_t score_of(const Sample& s) {
    std::copy(std::begin(s.squares), std::end(s.squares), board);
    eval_state.variant1_active = s.variant1;
    eval_state.variant2_active = s.variant2;
    eval_state.root_moved_piece = 0;
    eval_state.last_destination = 0;
    prepare_evaluation(s.side);
    const int16_t v = evaluate(s.side, -32000, 32000);
    return s.side == WHITE ? v : static_cast<int16_t>(-v);
}

// The table prepare_evaluation picks for a position, given the variant flags it starts with.
int table_of(int phase, bool v1, bool v2) {
    if (phase >= 2) return phase == 2 ? PREFINAL : FINAL;
    const bool opening = phase == 0;
    if (v1) return opening ? OPENING_VARIANT1 : MIDDLE_VARIANT1;
    if (v2) return opening ? OPENING_VARIANT2 : MIDDLE_VARIANT2;
    return opening ? OPENING_DEFAULT : MIDDLE_DEFAULT;
}

double predicted(double k, int16_t score) {
    return 1.0 / (1.0 + std::exp(-k * score));
}

struct Errors {
    double train = 0, held = 0;
    long train_count = 0, held_count = 0;
    double train_mean() const { return train_count ? train / train_count : 0; }
    double held_mean() const { return held_count ? held / held_count : 0; }
};

double error_of(double k, const Sample& s) {
    const double d = s.result - predicted(k, s.score);
    return d * d;
}

Errors errors(double k, const std::vector<Sample>& samples) {
    Errors e;
    for (const Sample& s : samples) {
        (s.held_out ? e.held : e.train) += error_of(k, s);
        ++(s.held_out ? e.held_count : e.train_count);
    }
    return e;
}

// The K that makes the current values predict the training results best (golden section
// on a logarithmic scale).
double best_k(const std::vector<Sample>& samples) {
    double lo = std::log(1e-5), hi = std::log(1e-2);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (errors(std::exp(a), samples).train_mean() < errors(std::exp(b), samples).train_mean())
            hi = b;
        else
            lo = a;
    }
    return std::exp((lo + hi) / 2);
}

// One tunable value: a table entry (entry 1..28) or a tempo coefficient (entry 0), with
// the samples whose value it can change.
struct Value {
    int table = 0;
    int entry = 0;
    std::vector<size_t> samples;
    int8_t& in(Parameters& p) const {
        return entry == 0 ? p.tempo_coef[table] : p.man_tables[table][entry];
    }
};

std::vector<Value> tunable_values(const std::vector<Sample>& samples) {
    std::vector<Value> values;
    for (int t = 0; t < MAN_TABLE_COUNT; ++t)
        for (int e = 0; e <= TUNED_ENTRIES; ++e) values.push_back({t, e, {}});
    for (size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        const size_t base = static_cast<size_t>(s.table) * (TUNED_ENTRIES + 1);
        values[base].samples.push_back(i);
        bool seen[33] = {};
        for (int sq = 1; sq <= 32; ++sq) {
            const uint8_t c = s.squares[sq];
            if (c != WHITE_MAN && c != BLACK_MAN) continue;
            const int e = owner_entry(c, sq);
            if (e <= TUNED_ENTRIES && !seen[e]) values[base + e].samples.push_back(i);
            seen[e] = true;
        }
    }
    return values;
}

}  // namespace

std::vector<Sample> read_samples(std::istream& in, long& rejected) {
    std::vector<Sample> samples;
    rejected = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string fen;
        double result = -1;
        Position p;
        std::string error;
        if (!(fields >> fen >> result) || (result != 0 && result != 0.5 && result != 1) ||
            !parse_fen(fen, p, error)) {
            ++rejected;
            continue;
        }
        Sample s;
        std::copy(std::begin(p.squares), std::end(p.squares), s.squares);
        s.side = static_cast<uint8_t>(p.side_to_move);
        s.result = static_cast<float>(result);
        s.held_out = std::hash<std::string>{}(fen) % 10 == 0;
        // The variant flags come from the previous preparation: prepare twice, as the
        // game does from one move to the next.
        std::copy(std::begin(s.squares), std::end(s.squares), board);
        prepare_evaluation(s.side);
        s.variant1 = eval_state.variant1_active;
        s.variant2 = eval_state.variant2_active;
        s.table = static_cast<uint8_t>(table_of(eval_state.phase, s.variant1, s.variant2));
        samples.push_back(s);
    }
    return samples;
}

FitReport fit_parameters(std::vector<Sample>& samples, Parameters& p, const FitSettings& settings,
                         std::ostream& log) {
    FitReport report;
    params = p;
    for (Sample& s : samples) s.score = score_of(s);
    report.k = best_k(samples);
    const double k = report.k;
    Errors e = errors(k, samples);
    report.train_before = e.train_mean();
    report.held_before = e.held_mean();
    log << "K " << k << ", error " << report.train_before << " (held out " << report.held_before
        << ")" << std::endl;
    const std::vector<Value> values = tunable_values(samples);
    const Parameters start = p;
    Parameters start_values = p;  // read only; non-const for Value::in
    const long train_count = std::max(1L, e.train_count);
    Parameters best = p;
    double best_held = report.held_before;
    std::vector<int16_t> old_scores;
    for (int step : {2, 1}) {
        for (int pass = 0; pass < settings.passes; ++pass) {
            const double before = e.train_mean();
            for (const Value& v : values) {
                if (v.samples.empty()) continue;
                int8_t& x = v.in(params);
                const int8_t original = x;
                old_scores.resize(v.samples.size());
                for (size_t j = 0; j < v.samples.size(); ++j)
                    old_scores[j] = samples[v.samples[j]].score;
                bool kept = false;
                for (int dir : {+1, -1}) {
                    const int moved = original + dir * step;
                    if (moved < LOWEST_VALUE || moved > HIGHEST_VALUE) continue;
                    x = static_cast<int8_t>(moved);
                    double delta = 0;
                    for (size_t j = 0; j < v.samples.size(); ++j) {
                        Sample& s = samples[v.samples[j]];
                        if (s.held_out) continue;
                        const double old_error = error_of(k, s);
                        s.score = score_of(s);
                        delta += error_of(k, s) - old_error;
                    }
                    const int from_start = moved - v.in(start_values);
                    const int before_move = original - v.in(start_values);
                    const double penalty =
                        settings.l2 * (from_start * from_start - before_move * before_move);
                    if (delta / static_cast<double>(train_count) + penalty < 0) {
                        kept = true;
                        break;
                    }
                    for (size_t j = 0; j < v.samples.size(); ++j)
                        samples[v.samples[j]].score = old_scores[j];
                }
                if (!kept) {
                    x = original;
                    continue;
                }
                for (size_t j : v.samples)
                    if (samples[j].held_out) samples[j].score = score_of(samples[j]);
            }
            e = errors(k, samples);
            ++report.passes;
            log << "step " << step << " pass " << pass + 1 << ": error " << e.train_mean()
                << " (held out " << e.held_mean() << ")" << std::endl;
            if (e.held_mean() < best_held) {
                best_held = e.held_mean();
                best = params;
            }
            if (before - e.train_mean() < settings.min_gain) break;
        }
    }
    p = best;
    params = best;
    for (Sample& s : samples) s.score = score_of(s);
    e = errors(k, samples);
    report.train_after = e.train_mean();
    report.held_after = e.held_mean();
    const auto* a = reinterpret_cast<const int8_t*>(&start);
    const auto* b = reinterpret_cast<const int8_t*>(&best);
    for (size_t i = 0; i < sizeof(Parameters); ++i) report.changed_values += a[i] != b[i];
    return report;
}

}  // namespace qv::tune
