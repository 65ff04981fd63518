// Fits the man tables and tempo coefficients to game results: the static value s of each
// quiet training position predicts White's result through 1 / (1 + exp(-K s)); the tuner
// lowers the mean squared error of that prediction by moving one value at a time
// (coordinate descent with steps of 2, then 1), keeping the set that predicts a held-out
// tenth of the positions best. Only the values are tuned: phase limits and variant squares
// define the evaluation's structure and stay as they are.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "eval/params.h"

namespace qv::tune {

struct Sample {
    uint8_t squares[33] = {};
    uint8_t side = 0;
    uint8_t table = 0;  // the man table (and tempo coefficient) the position uses
    bool variant1 = false, variant2 = false;
    bool held_out = false;
    float result = 0.5f;  // White's view
    int16_t score = 0;    // White's view under the current values
};

// Reads "FEN result" lines; a line that does not parse is counted in `rejected` and skipped.
std::vector<Sample> read_samples(std::istream& in, long& rejected);

struct FitSettings {
    int passes = 6;
    double min_gain = 1e-7;  // a pass that lowers the training error by less ends the fit
    // A move of a value is kept only when it lowers the mean error by more than
    // l2 x (the growth of its squared distance from the starting value): without it the
    // fit chases noise in values the results barely depend on.
    double l2 = 0;
};

struct FitReport {
    double k = 0;
    double train_before = 0, train_after = 0;
    double held_before = 0, held_after = 0;
    int changed_values = 0;
    int passes = 0;
};

// Tunes `p` (the live parameters are set to it while fitting and left at the result).
FitReport fit_parameters(std::vector<Sample>& samples, Parameters& p, const FitSettings& s,
                         std::ostream& log);

}  // namespace qv::tune
