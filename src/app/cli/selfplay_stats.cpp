#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/selfplay_match.h"
#include "board/board.h"
#include "board/file_io.h"

namespace qv::cli {
namespace {

const char* reason_text(EndReason r) {
    switch (r) {
        case EndReason::no_move:
            return "no move";
        case EndReason::ply_limit:
            return "252 plies";
        case EndReason::draw_rule:
            return "draw rule";
        case EndReason::bad_opening:
            return "opening not playable";
    }
    return "";
}

const char* outcome_of(const GameResult& r) {
    return r.winner < 0 ? "1/2-1/2" : r.winner == WHITE ? "1-0" : "0-1";
}

}  // namespace

std::string elo_text(double elo) {
    if (std::isinf(elo)) return elo > 0 ? "+inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", elo + 0.0);  // no "-0.0"
    return text;
}

void record_game(const Match& match, const GameResult& r, MatchScore& score) {
    const int first_colour = r.index % 2 == 0 ? WHITE : BLACK;
    if (r.winner < 0)
        ++score.draws;
    else if (r.winner == first_colour)
        ++score.wins;
    else
        ++score.losses;
    std::printf("game %ld: first player %s, %s after %d plies (%s); %d of %ld: +%d =%d -%d\n",
                r.index + 1, first_colour == WHITE ? "White" : "Black", outcome_of(r), r.plies,
                reason_text(r.reason), score.games(), match.games, score.wins, score.draws,
                score.losses);
    std::fflush(stdout);
}

bool write_match_pdn(const Match& match, const std::vector<GameResult>& results) {
    std::ostringstream out;
    std::map<long, const GameResult*> in_order;
    for (const GameResult& r : results) in_order[r.index] = &r;
    for (const auto& [index, r] : in_order) {
        const bool first_white = index % 2 == 0;
        out << "[Event \"selfplay\"]\r\n[Round \"" << index + 1 << "\"]\r\n[White \""
            << (first_white ? "first" : "second") << "\"]\r\n[Black \""
            << (first_white ? "second" : "first") << "\"]\r\n[Result \"" << outcome_of(*r)
            << "\"]\r\n";
        if (!r->fen.empty()) out << "[FEN \"" << r->fen << "\"]\r\n";
        out << "\r\n" << r->moves << outcome_of(*r) << "\r\n\r\n";
    }
    return write_file_atomic(match.pdn, out.str());
}

}  // namespace qv::cli
