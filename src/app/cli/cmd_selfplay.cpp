// selfplay --games N [--level L | --depth D | --time-per-move S] [--params A.par]
//          [--vs-level L | --vs-depth D | --vs-time-per-move S] [--vs-params B.par]
//          [--openings FILE] [--concurrency N] [--seed N] [--pdn FILE] [--fens]
//          [--time-scale F] [--cpu-time] [--draw-rule-from PLY]
// A match between two computer players. Games come in pairs: each opening (the first plies
// of the opening lists, or the positions and games of FILE) is played twice, colours
// swapped. One line per finished game with the running score, then "score W-D-L" from the
// first player's view and the Elo difference with its 95% interval and the likelihood of
// superiority. With --concurrency N the games are shared among N processes. A named level
// plays as in the game, with the lowest level's handicap; --time-scale F makes each of the
// levels' seconds last F real seconds, so that a ladder of the timed levels keeps their
// proportions in a fraction of the time. With --cpu-time every clock and deadline counts the
// worker's processor time instead of the wall clock.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "app/cli/search_common.h"
#include "app/cli/selfplay_match.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/file_io.h"
#include "board/movegen.h"
#include "board/now.h"
#include "game/session.h"
#include "search/book.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/tt.h"

namespace qv::cli {
namespace {

constexpr int OPENING_PLIES = 4;  // taken from the opening lists

double time_scale = 1;
// The driver's clock, in seconds of `time_scale` real seconds.
int32_t scaled_clock() {
    return static_cast<int32_t>(
        static_cast<int64_t>(static_cast<double>(deadline_clock_ms()) / (1000 * time_scale)) &
        0x3fffffff);
}

int total_on_board() {
    const PieceTotals t = count_pieces();
    return t.white + t.black;
}

// Plays one move given by its squares; false when it is not legal for `side`.
bool play_given(int side, uint8_t from, uint8_t to, SearchInputs& in, GameResult& result) {
    const int n = legal_moves(side);
    int k = 0;
    while (k < n && (move_lists[1][k].from != from || move_lists[1][k].to != to)) ++k;
    if (k == n) return false;
    const Move m = move_lists[1][k];
    const int g = in.game_ply;
    if (side == WHITE) result.moves += std::to_string(g / 2 + 1) + ". ";
    result.moves += move_text(m.from, m.to, m.captures > 0) + " ";
    play_move(m);
    in.line[g + 1] = {m.from, m.to, m.captures};
    in.game_ply = g + 1;
    return true;
}

}  // namespace

GameResult play_game(const Match& match, long index, CliHost& cli_host) {
    static SearchInputs in;
    in = SearchInputs{};
    GameResult result;
    result.index = index;
    const int first_colour = index % 2 == 0 ? WHITE : BLACK;
    int side = WHITE;
    if (match.openings.empty()) {
        set_start_position();
    } else {
        const Opening& o = match.openings[(index / 2) % match.openings.size()];
        set_position(o.start);
        side = o.start.side_to_move;
        const std::string fen = write_fen(board, side);
        if (fen != START_FEN) result.fen = fen;
        if (side == BLACK) result.moves = "1... ";
        for (const auto& [from, to] : o.plies) {
            if (!play_given(side, from, to, in, result)) {
                result.reason = EndReason::bad_opening;
                return result;
            }
            side = 1 - side;
        }
    }
    clear_table();
    search.last_score = 0;
    int totals[MAX_GAME_PLIES + 1] = {};
    const int first_ply = in.game_ply;
    for (int g = in.game_ply;; ++g) {
        totals[g] = total_on_board();
        if (g >= MAX_GAME_PLIES) {
            result.reason = EndReason::ply_limit;
            break;
        }
        const int quiet_from = std::max(match.draw_rule_from, first_ply + 60);
        if (g >= quiet_from && totals[g] == totals[g - 60] && search.last_score > -20000 &&
            search.last_score < 20000) {
            result.reason = EndReason::draw_rule;
            break;
        }
        if (match.fens) std::printf("fen %s\n", write_fen(board, side).c_str());
        const Player& p = match.players[side == first_colour ? 0 : 1];
        parameter_state = p.parameters;
        in.game_ply = g;
        cli_host.deadline_ms = apply_strength(p.strength, in);
        const int32_t start = now();
        const uint8_t r = choose_move(side, in);
        int32_t& clock = side == WHITE ? in.white_clock : in.black_clock;
        clock += now() - start;
        if (r == NO_MOVE) {
            result.winner = 1 - side;
            result.reason = EndReason::no_move;
            break;
        }
        int index = r == SINGLE_MOVE ? 0 : r;
        if (p.strength.level == 0)
            index = handicap_choice(index, side, move_count[1], r == SINGLE_MOVE, 0);
        const Move m = move_lists[1][index];
        if (side == WHITE) result.moves += std::to_string(g / 2 + 1) + ". ";
        result.moves += move_text(m.from, m.to, m.captures > 0) + " ";
        play_move(m);
        in.line[g + 1] = {m.from, m.to, m.captures};
        result.plies = g + 1;
        side = 1 - side;
    }
    return result;
}

namespace {

int run_selfplay(int argc, char** argv) {
    static Match match;
    match.players[0].strength.level = 1;
    if (!parse_selfplay(argc, argv, match)) return usage("selfplay");
    time_scale = match.time_scale;
    use_cpu_time(match.cpu_time);
    if (time_scale != 1 || match.cpu_time) clock_source() = scaled_clock;
    start_engine();
    for (Player& p : match.players) {
        const bool loaded =
            p.params.empty() ? load_default_parameters() : load_parameters(p.params);
        if (!loaded && !p.params.empty()) return 1;  // the loader has said why
        p.parameters = parameter_state;
    }
    if (!match.openings_file.empty()) {
        std::string why;
        if (!load_openings(match.openings_file, match.openings, why)) {
            std::fprintf(stderr, "selfplay: %s\n", why.c_str());
            return 1;
        }
    } else {
        match.openings = openings_from_lists(OPENING_PLIES);
    }
    // Openings give the games their variety; without any, the library does.
    search.library_enabled = match.openings.empty() ? 1 : 0;
    if (!match.pdn.empty() && !std::ofstream(match.pdn, std::ios::binary | std::ios::app)) {
        std::fprintf(stderr, "selfplay: cannot write %s\n", match.pdn.c_str());
        return 1;
    }
    std::printf("%zu openings, each played with both colours\n", match.openings.size());
    MatchScore score;
    std::vector<GameResult> results;
    const GameDone done = [&](const GameResult& r) {
        record_game(match, r, score);
        results.push_back(r);
    };
    if (match.concurrency == 1) {
        play_share(match, 0, 1, done);
    } else if (!play_in_processes(match, done)) {
        std::fprintf(stderr, "selfplay: a worker process failed; %zu of %ld games played\n",
                     results.size(), match.games);
        return 1;
    }
    if (!match.pdn.empty() && !write_match_pdn(match, results)) {
        std::fprintf(stderr, "selfplay: cannot write %s\n", match.pdn.c_str());
        return 1;
    }
    const EloEstimate e = estimate_elo(score);
    std::printf("score %d-%d-%d\n", score.wins, score.draws, score.losses);
    std::printf("elo %s, 95%% interval [%s, %s], LOS %.1f%%\n", elo_text(e.elo).c_str(),
                elo_text(e.low).c_str(), elo_text(e.high).c_str(), 100 * e.los);
    return 0;
}

const Register reg({"selfplay",
                    "selfplay --games N [--level L | --depth D | --time-per-move S] "
                    "[--params A.par] [--vs-level L | --vs-depth D | --vs-time-per-move S] "
                    "[--vs-params B.par] [--openings FILE] [--concurrency N] [--seed N] "
                    "[--pdn FILE] [--fens] [--time-scale F] [--cpu-time] [--draw-rule-from PLY]",
                    run_selfplay});

}  // namespace
}  // namespace qv::cli
