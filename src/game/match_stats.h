// The statistics of a match between two players: the score from the first player's view,
// the Elo difference it implies with a 95% interval, and the likelihood of superiority.
#pragma once

namespace qv {

struct MatchScore {
    int wins = 0;  // of the first player
    int draws = 0;
    int losses = 0;
    int games() const { return wins + draws + losses; }
};

struct EloEstimate {
    double score = 0.5;  // points per game, 0 to 1
    double elo = 0;      // +/-infinity after a clean sweep
    double low = 0;      // 95% interval of the Elo difference (normal approximation
    double high = 0;     // of the mean score per game, games counted as 1, 1/2, 0)
    double los = 0.5;    // likelihood that the first player is the stronger, 0 to 1
};

// The Elo difference of an expected score per game (0 to 1).
double elo_of_score(double score);

// The estimate after `s`; all zero-information values (score 1/2, Elo 0) without games.
EloEstimate estimate_elo(const MatchScore& s);

}  // namespace qv
