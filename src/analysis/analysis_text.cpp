#include "analysis/analysis_text.h"

#include <cstdio>

#include "board/board.h"

namespace qv {

namespace {

// The texts that make_texts writes from data/lang, per language (0 French ... 5
// Italian): the long line of a move of White and of Black, the short line of
// each, the explanation, the legend.
enum Row { LONG_WHITE, LONG_BLACK, SHORT_WHITE, SHORT_BLACK, EXPLANATION, LEGEND, ROWS };
constexpr int LANGUAGES = 6;

}  // namespace

extern const char* const ANALYSIS_TEXTS[LANGUAGES][ROWS];

namespace {

// A language outside 0..5 reads the English texts.
const char* text_of(int language, Row row) {
    if (language < 0 || language >= LANGUAGES) language = 1;
    return ANALYSIS_TEXTS[language][row];
}

std::string fill(const char* format, const AnalysisLine& l) {
    char text[160];
    std::snprintf(text, sizeof text, format, l.move_number, label(l.played.from),
                  label(l.played.to), l.played_score, label(l.best.from), label(l.best.to),
                  l.best_score);
    return l.marked ? std::string("*") + text : std::string(text);
}

}  // namespace

std::string analysis_long_line(int language, const AnalysisLine& line) {
    std::string text = fill(text_of(language, line.mover == BLACK ? LONG_BLACK : LONG_WHITE), line);
    if (line.marked) {
        text += " ->(";
        for (int k = 0; k < line.continuation; ++k)
            text += std::string(" ") + label(line.reply[k].from) + "-" + label(line.reply[k].to);
        text += " ....)";
    }
    return text;
}

std::string analysis_short_line(int language, const AnalysisLine& line) {
    return fill(text_of(language, line.mover == BLACK ? SHORT_BLACK : SHORT_WHITE), line);
}

const char* analysis_explanation(int language) {
    return text_of(language, EXPLANATION);
}

const char* analysis_legend(int language) {
    return text_of(language, LEGEND);
}

std::vector<std::string> analysis_long_lines(int language, const std::vector<AnalysisLine>& lines) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const AnalysisLine& l : lines) out.push_back(analysis_long_line(language, l));
    return out;
}

}  // namespace qv
