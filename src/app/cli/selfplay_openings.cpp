#include "app/cli/selfplay_openings.h"

#include <fstream>
#include <set>
#include <sstream>

#include "board/board.h"
#include "board/movegen.h"
#include "files/text_game.h"
#include "search/book.h"

namespace qv::cli {

namespace {

// Whether every ply of `o` is a legal move in turn from its start.
bool legal_from_start(const Opening& o) {
    set_position(o.start);
    int side = o.start.side_to_move;
    for (const auto& [from, to] : o.plies) {
        const int n = legal_moves(side);
        int k = 0;
        while (k < n && (move_lists[1][k].from != from || move_lists[1][k].to != to)) ++k;
        if (k == n) return false;
        play_move(move_lists[1][k]);
        side = 1 - side;
    }
    return true;
}

Position start_position() {
    Position p;
    std::string error;
    parse_fen(START_FEN, p, error);
    return p;
}

}  // namespace

std::vector<Opening> openings_from_lists(int plies) {
    load_book_lists();
    std::vector<Opening> out;
    std::set<std::vector<std::pair<uint8_t, uint8_t>>> seen;
    for (const auto& list : book.lists)
        for (const std::string& line : list) {
            Opening o{start_position(), {}};
            size_t i = 0;
            int from = 0, to = 0;
            while (static_cast<int>(o.plies.size()) < plies && read_move(line, i, from, to)) {
                const int f = square_of_label(from), t = square_of_label(to);
                if (f == 0 || t == 0) break;
                o.plies.emplace_back(static_cast<uint8_t>(f), static_cast<uint8_t>(t));
            }
            if (static_cast<int>(o.plies.size()) < plies || !seen.insert(o.plies).second ||
                !legal_from_start(o))
                continue;
            out.push_back(std::move(o));
        }
    return out;
}

bool load_openings(const std::string& path, std::vector<Opening>& out, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "cannot open " + path;
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    out.clear();
    // A file of FEN lines: every non-blank, non-comment line must be a position.
    std::istringstream lines(text);
    std::string line;
    bool all_fens = true;
    std::vector<Opening> fens;
    while (all_fens && std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        Opening o;
        std::string error;
        all_fens = parse_fen(line, o.start, error);
        if (all_fens) fens.push_back(o);
    }
    if (all_fens && !fens.empty()) {
        out = std::move(fens);
        return true;
    }
    const size_t games = scan_text_games(text).size();
    for (size_t g = 0; g < games; ++g) {
        TextGame game;
        TextProblem problem;
        // A game whose moves were not all legal, or with neither a position nor a move,
        // is no opening.
        if (!parse_text_game(text, static_cast<int>(g), game, problem) ||
            game.written.size() != game.plies.size() || (!game.has_fen && game.plies.empty()))
            continue;
        Opening o{game.has_fen ? game.start : start_position(), game.plies};
        if (legal_from_start(o)) out.push_back(std::move(o));
    }
    if (out.empty()) {
        why = path + " holds neither FEN lines nor a game that can be played";
        return false;
    }
    return true;
}

}  // namespace qv::cli
