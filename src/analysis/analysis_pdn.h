// The analysed game as PDN for other draughts programs: each marked move is followed by a
// comment with the best move and both values ("{best 22-18 (+0.40), played -1.20}", in
// men) and by the best line as a variation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"

namespace qv {

// The comment after a marked move.
std::string analysis_comment(const AnalysisLine& line);
// The whole game in hand, annotated from `lines` (any order). `date` as for pdn_bytes.
std::string analysis_pdn_bytes(const std::vector<AnalysisLine>& lines, std::string_view date = {});

}  // namespace qv
