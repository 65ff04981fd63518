// selfplay --games N [--level L | --depth D | --time-per-move S] [--params A.par]
//          [--vs-level L | --vs-depth D | --vs-time-per-move S] [--vs-params B.par]
//          [--seed N] [--pdn FILE] [--fens]
// Complete games between two computer players, colours alternating, openings from the
// library. One line per game, then "score W-D-L" from the first player's view.
#include <cstdio>
#include <fstream>
#include <string>

#include "app/cli/cli.h"
#include "app/cli/search_common.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/now.h"
#include "eval/params.h"
#include "search/book.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/tt.h"

namespace qv::cli {
namespace {

constexpr int MAX_GAME_PLIES = 252;

struct Player {
    Strength strength;
    std::string params;
    ParameterState parameters;  // the set this player evaluates with
};

struct GameResult {
    int winner = -1;  // WHITE, BLACK, or -1 for a draw
    int plies = 0;
    const char* reason = "";
    std::string moves;  // PDN move text
};

int total_on_board() {
    const PieceTotals t = count_pieces();
    return t.white + t.black;
}

GameResult play_game(const Player* players, int first_colour, CliHost& cli_host, bool print_fens) {
    static SearchInputs in;
    in = SearchInputs{};
    GameResult result;
    set_start_position();
    clear_table();
    search.last_score = 0;
    int totals[MAX_GAME_PLIES + 1] = {};
    int side = WHITE;
    for (int g = 0;; ++g) {
        totals[g] = total_on_board();
        if (g >= MAX_GAME_PLIES) {
            result.reason = "252 plies";
            break;
        }
        if (g > 250 && totals[g] == totals[g - 60] && search.last_score > -20000 &&
            search.last_score < 20000) {
            result.reason = "draw rule";
            break;
        }
        if (print_fens) std::printf("fen %s\n", write_fen(board, side).c_str());
        const Player& p = players[side == first_colour ? 0 : 1];
        parameter_state = p.parameters;
        in.game_ply = g;
        cli_host.deadline_ms = apply_strength(p.strength, in);
        const int32_t start = now();
        const uint8_t r = choose_move(side, in);
        int32_t& clock = side == WHITE ? in.white_clock : in.black_clock;
        clock += now() - start;
        if (r == NO_MOVE) {
            result.winner = 1 - side;
            result.reason = "no move";
            break;
        }
        const Move m = move_lists[1][r == SINGLE_MOVE ? 0 : r];
        if (side == WHITE) result.moves += std::to_string(g / 2 + 1) + ". ";
        result.moves += move_text(m.from, m.to, m.captures > 0) + " ";
        play_move(m);
        in.line[g + 1] = {m.from, m.to, m.captures};
        result.plies = g + 1;
        side = 1 - side;
    }
    return result;
}

bool parse_args(int argc, char** argv, long& games, Player players[2], std::string& pdn,
                bool& fens) {
    bool vs_given = false;
    for (int i = 0; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--fens") {
            fens = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        long v = 0;
        const bool vs = opt.rfind("--vs-", 0) == 0;
        const std::string name = vs ? opt.substr(5) : opt.substr(2);
        Player& p = players[vs ? 1 : 0];
        if (opt == "--games") {
            if (!parse_int(value, 1, 100000, games)) return false;
        } else if (name == "level" || name == "depth" || name == "time-per-move") {
            if (!parse_strength(name == "time-per-move" ? "time" : name, value, p.strength))
                return false;
            vs_given |= vs;
        } else if (name == "params") {
            p.params = value;
        } else if (opt == "--seed") {
            if (!parse_int(value, 0, 4294967295L, v)) return false;
            seed_book_random(static_cast<uint32_t>(v));
        } else if (opt == "--pdn") {
            pdn = value;
        } else {
            return false;
        }
    }
    if (!vs_given) players[1].strength = players[0].strength;
    return games > 0;
}

int run_selfplay(int argc, char** argv) {
    long games = 0;
    static Player players[2];
    players[0].strength.level = 1;
    std::string pdn;
    bool fens = false;
    if (!parse_args(argc, argv, games, players, pdn, fens)) return usage("selfplay");
    start_engine();
    for (Player& p : players) {
        const bool loaded =
            p.params.empty() ? load_default_parameters() : load_parameters(p.params);
        if (!loaded && !p.params.empty()) return 1;  // the loader has said why
        p.parameters = parameter_state;
    }
    CliHost cli_host;
    set_host(&cli_host);
    search.library_enabled = 1;
    std::ofstream pdn_out;
    if (!pdn.empty()) {
        pdn_out.open(pdn, std::ios::binary | std::ios::trunc);
        if (!pdn_out) {
            std::fprintf(stderr, "selfplay: cannot write %s\n", pdn.c_str());
            return 1;
        }
    }
    int wins = 0, draws = 0, losses = 0;
    for (long k = 0; k < games; ++k) {
        const int first_colour = k % 2 == 0 ? WHITE : BLACK;
        const GameResult r = play_game(players, first_colour, cli_host, fens);
        const char* outcome = r.winner < 0 ? "1/2-1/2" : r.winner == WHITE ? "1-0" : "0-1";
        if (r.winner < 0)
            ++draws;
        else if (r.winner == first_colour)
            ++wins;
        else
            ++losses;
        std::printf("game %ld: first player %s, %s after %d plies (%s)\n", k + 1,
                    first_colour == WHITE ? "White" : "Black", outcome, r.plies, r.reason);
        std::fflush(stdout);
        if (pdn_out) {
            pdn_out << "[Event \"selfplay\"]\r\n[Round \"" << k + 1 << "\"]\r\n[White \""
                    << (first_colour == WHITE ? "first" : "second") << "\"]\r\n[Black \""
                    << (first_colour == WHITE ? "second" : "first") << "\"]\r\n[Result \""
                    << outcome << "\"]\r\n\r\n"
                    << r.moves << outcome << "\r\n\r\n";
        }
    }
    set_host(&text_host());
    std::printf("score %d-%d-%d\n", wins, draws, losses);
    return 0;
}

const Register reg({"selfplay",
                    "selfplay --games N [--level L | --depth D | --time-per-move S] "
                    "[--params A.par] [--vs-level L | --vs-depth D | --vs-time-per-move S] "
                    "[--vs-params B.par] [--seed N] [--pdn FILE] [--fens]",
                    run_selfplay});

}  // namespace
}  // namespace qv::cli
