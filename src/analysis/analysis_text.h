// The analysis in words: the long line (analysis window), the short line (the main
// window's list), the explanation and the legend, in each interface language (index as
// everywhere, 0 French ... 5 Italian; English outside 0..5). The texts are the entries
// analysis.* of data/lang.
#pragma once

#include <string>
#include <vector>

#include "analysis/analysis.h"

namespace qv {

std::string analysis_long_line(int language, const AnalysisLine& line);
std::string analysis_short_line(int language, const AnalysisLine& line);

// The explanation shown above the list while the analysis runs.
const char* analysis_explanation(int language);
// The legend line, last in the analysis window's list.
const char* analysis_legend(int language);

// The long lines of the analysis in game order: what is saved to a text file and printed.
std::vector<std::string> analysis_long_lines(int language, const std::vector<AnalysisLine>& lines);

}  // namespace qv
