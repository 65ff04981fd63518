#include "game/match_stats.h"

#include <cmath>
#include <limits>

namespace qv {

namespace {
constexpr double Z_95 = 1.959963984540054;  // two-sided 95% quantile of the normal law
}

double elo_of_score(double score) {
    if (score <= 0) return -std::numeric_limits<double>::infinity();
    if (score >= 1) return std::numeric_limits<double>::infinity();
    return -400.0 * std::log10(1.0 / score - 1.0);
}

EloEstimate estimate_elo(const MatchScore& s) {
    EloEstimate e;
    const int n = s.games();
    if (n == 0) return e;
    const double p = (s.wins + 0.5 * s.draws) / n;
    const double variance =
        (s.wins * (1 - p) * (1 - p) + s.draws * (0.5 - p) * (0.5 - p) + s.losses * p * p) / n;
    const double margin = Z_95 * std::sqrt(variance / n);
    e.score = p;
    e.elo = elo_of_score(p);
    e.low = elo_of_score(p - margin);
    e.high = elo_of_score(p + margin);
    // Draws carry no information on which player is stronger.
    const int decisive = s.wins + s.losses;
    e.los =
        decisive == 0 ? 0.5 : 0.5 * (1 + std::erf((s.wins - s.losses) / std::sqrt(2.0 * decisive)));
    return e;
}

}  // namespace qv
