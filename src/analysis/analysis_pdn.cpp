#include "analysis/analysis_pdn.h"

#include <cstdio>

#include "board/board.h"
#include "files/text_game.h"

namespace qv {

namespace {

// A shown score (a man is 1000) in men with a sign: "+0.40".
std::string men(int shown) {
    char text[24];
    std::snprintf(text, sizeof text, "%+.2f", shown / 1000.0);
    return text;
}

std::string pdn_move(const GameMove& m) {
    return std::to_string(label_number(m.from)) + (m.captures ? "x" : "-") +
           std::to_string(label_number(m.to));
}

// "(12. 21-17 10-14 13. 17-13)": the best move instead of the one played, then its line.
std::vector<std::string> variation(const AnalysisLine& l, int half_move) {
    std::vector<std::string> words;
    const GameMove moves[3] = {l.best, l.reply[0], l.reply[1]};
    for (int k = 0; k <= l.continuation; ++k) {
        const int index = half_move + k;
        if (index % 2 == 0)
            words.push_back(std::to_string(index / 2 + 1) + ".");
        else if (k == 0)
            words.push_back(std::to_string(index / 2 + 1) + "...");
        words.push_back(pdn_move(moves[k]));
    }
    words.front() = "(" + words.front();
    words.back() += ")";
    return words;
}

}  // namespace

std::string analysis_comment(const AnalysisLine& line) {
    return "{best " + pdn_move(line.best) + " (" + men(line.best_score) + "), played " +
           men(line.played_score) + "}";
}

std::string analysis_pdn_bytes(const std::vector<AnalysisLine>& lines, std::string_view date) {
    return pdn_bytes(date, [&lines](int p, int half_move) {
        std::vector<std::string> words;
        for (const AnalysisLine& l : lines) {
            if (l.ply + 1 != p || !l.marked) continue;
            words.push_back(analysis_comment(l));
            for (std::string& w : variation(l, half_move)) words.push_back(std::move(w));
        }
        return words;
    });
}

}  // namespace qv
