// The "Calcul" page's lines for a search progress report, in one language.
#pragma once

#include <string>
#include <vector>

#include "board/host.h"

namespace qv {

// Depth, nodes, time and rate (when timed), score, the tables' verdict (when they hold the
// position), move number, then the variation.
std::vector<std::string> progress_lines(const SearchProgress& p, int language);

}  // namespace qv
