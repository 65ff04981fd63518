// The readable text form of a parameter set, from which the shipped defaut.par is built.
// Lines: "name value..." for the limits, variant squares and tempo coefficients, and
// "table NAME" followed by 8 rows of 4 values: the board as the editor draws it, from the
// owner's side, entries 29..32 on the top row and 1..4 on the bottom row. '#' starts a
// comment.
#pragma once

#include <istream>
#include <string>

#include "eval/params.h"

namespace qv {

// Names of the eight tables (and tempo coefficients) in their stored order.
inline constexpr const char* MAN_TABLE_NAMES[MAN_TABLE_COUNT] = {
    "opening_default",  "middle_default",  "prefinal",         "final",
    "opening_variant1", "middle_variant1", "opening_variant2", "middle_variant2"};

// Every value must be given exactly once. On failure returns false, leaves `out` alone and
// says "line N: what" in `error`.
bool parse_parameter_text(std::istream& in, Parameters& out, std::string& error);

// `text` (a complete parameter text) with the tempo coefficients and table values of `p`
// put in place of its own; comments, layout and every other line are kept. Used by the
// tuner, so that a tuned set keeps its explanations.
std::string rewrite_parameter_values(const std::string& text, const Parameters& p);

}  // namespace qv
