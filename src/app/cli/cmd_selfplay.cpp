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
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "app/cli/search_common.h"
#include "app/cli/selfplay_openings.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/file_io.h"
#include "board/movegen.h"
#include "board/now.h"
#include "eval/params.h"
#include "game/match_stats.h"
#include "game/session.h"
#include "search/book.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/tt.h"

namespace qv::cli {
namespace {

constexpr int MAX_GAME_PLIES = 252;
constexpr int OPENING_PLIES = 4;  // taken from the opening lists
constexpr long MAX_CONCURRENCY = 64;

struct Player {
    Strength strength;
    std::string params;
    ParameterState parameters;  // the set this player evaluates with
};

enum class EndReason : int { no_move, ply_limit, draw_rule, bad_opening };
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

struct GameResult {
    long index = 0;
    int winner = -1;  // WHITE, BLACK, or -1 for a draw
    int plies = 0;
    EndReason reason = EndReason::no_move;
    std::string fen;    // the start, when it is not the usual one
    std::string moves;  // PDN move text
};

struct Match {
    long games = 0;
    long concurrency = 1;
    Player players[2];
    std::string openings_file;
    std::string pdn;
    bool fens = false;
    std::vector<Opening> openings;  // empty: the start position and the library
    double time_scale = 1;          // real seconds per second of the levels' clocks
    bool cpu_time = false;          // clocks count processor time
    // The computer's draw rule (the piece total unchanged for 60 plies) applies from this
    // ply on; the game applies it beyond ply 250, a match may adjudicate earlier.
    int draw_rule_from = 251;
};

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

bool parse_args(int argc, char** argv, Match& match) {
    bool vs_given = false;
    for (int i = 0; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "--fens") {
            match.fens = true;
            continue;
        }
        if (opt == "--cpu-time") {
            match.cpu_time = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        long v = 0;
        const bool vs = opt.rfind("--vs-", 0) == 0;
        const std::string name = vs ? opt.substr(5) : opt.substr(2);
        Player& p = match.players[vs ? 1 : 0];
        if (opt == "--games") {
            if (!parse_int(value, 1, 100000, match.games)) return false;
        } else if (name == "level" || name == "depth" || name == "time-per-move") {
            if (!parse_strength(name == "time-per-move" ? "time" : name, value, p.strength))
                return false;
            vs_given |= vs;
        } else if (name == "params") {
            p.params = value;
        } else if (opt == "--openings") {
            match.openings_file = value;
        } else if (opt == "--concurrency") {
            if (!parse_int(value, 1, MAX_CONCURRENCY, match.concurrency)) return false;
        } else if (opt == "--seed") {
            if (!parse_int(value, 0, 4294967295L, v)) return false;
            seed_book_random(static_cast<uint32_t>(v));
        } else if (opt == "--draw-rule-from") {
            if (!parse_int(value, 60, MAX_GAME_PLIES, v)) return false;
            match.draw_rule_from = static_cast<int>(v);
        } else if (opt == "--time-scale") {
            if (!parse_seconds(value, match.time_scale) || match.time_scale < 0.001 ||
                match.time_scale > 1000)
                return false;
        } else if (opt == "--pdn") {
            match.pdn = value;
        } else {
            return false;
        }
    }
    if (!vs_given) match.players[1].strength = match.players[0].strength;
    // Position lines of parallel games would interleave.
    return match.games > 0 && !(match.fens && match.concurrency > 1);
}

std::string elo_text(double elo) {
    if (std::isinf(elo)) return elo > 0 ? "+inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f", elo + 0.0);  // no "-0.0"
    return text;
}

const char* outcome_of(const GameResult& r) {
    return r.winner < 0 ? "1/2-1/2" : r.winner == WHITE ? "1-0" : "0-1";
}

// Counts a finished game and prints its line with the running score.
void record(const Match& match, const GameResult& r, MatchScore& score) {
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

// One line per game on a pipe: index, winner, plies, reason, then the moves.
std::string serialise(const GameResult& r) {
    return std::to_string(r.index) + " " + std::to_string(r.winner) + " " +
           std::to_string(r.plies) + " " + std::to_string(static_cast<int>(r.reason)) + " " +
           (r.fen.empty() ? "-" : r.fen) + " " + r.moves + "\n";
}

bool deserialise(const std::string& line, GameResult& r) {
    int reason = 0, used = 0;
    char fen[256] = {};
    if (std::sscanf(line.c_str(), "%ld %d %d %d %255s %n", &r.index, &r.winner, &r.plies, &reason,
                    fen, &used) < 5)
        return false;
    r.reason = static_cast<EndReason>(reason);
    r.fen = std::strcmp(fen, "-") == 0 ? "" : fen;
    r.moves = line.substr(static_cast<size_t>(used));
    return true;
}

// Plays the games of worker `w` of `n` (index w, w + n, ...), handing each to `done`.
template <class Done>
void play_share(const Match& match, long w, long n, Done done) {
    CliHost cli_host;
    set_host(&cli_host);
    for (long k = w; k < match.games; k += n) done(play_game(match, k, cli_host));
    set_host(&text_host());
}

// Runs the games in `match.concurrency` child processes; false when one of them fails.
bool play_in_processes(const Match& match, std::vector<GameResult>& results, MatchScore& score) {
    std::vector<int> fds;
    std::vector<pid_t> children;
    for (long w = 0; w < match.concurrency; ++w) {
        int p[2];
        if (pipe(p) != 0) break;
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            close(p[0]);
            for (int fd : fds) close(fd);
            play_share(match, w, match.concurrency, [&](const GameResult& r) {
                const std::string line = serialise(r);
                size_t at = 0;
                while (at < line.size()) {
                    const ssize_t put = write(p[1], line.data() + at, line.size() - at);
                    if (put <= 0) _exit(1);
                    at += static_cast<size_t>(put);
                }
            });
            _exit(0);
        }
        close(p[1]);
        if (pid < 0) {
            close(p[0]);
            break;
        }
        fds.push_back(p[0]);
        children.push_back(pid);
    }
    std::vector<std::string> pending(fds.size());
    std::vector<bool> open(fds.size(), true);
    size_t open_count = fds.size();
    while (open_count > 0) {
        std::vector<pollfd> polled;
        std::vector<size_t> which;
        for (size_t i = 0; i < fds.size(); ++i)
            if (open[i]) {
                polled.push_back({fds[i], POLLIN, 0});
                which.push_back(i);
            }
        if (poll(polled.data(), polled.size(), -1) < 0) continue;
        for (size_t j = 0; j < polled.size(); ++j) {
            if (!(polled[j].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const size_t i = which[j];
            char buf[4096];
            const ssize_t got = read(fds[i], buf, sizeof buf);
            if (got <= 0) {
                open[i] = false;
                --open_count;
                close(fds[i]);
                continue;
            }
            pending[i].append(buf, static_cast<size_t>(got));
            for (size_t nl; (nl = pending[i].find('\n')) != std::string::npos;) {
                GameResult r;
                if (deserialise(pending[i].substr(0, nl), r)) {
                    record(match, r, score);
                    results.push_back(std::move(r));
                }
                pending[i].erase(0, nl + 1);
            }
        }
    }
    bool ok = children.size() == static_cast<size_t>(match.concurrency);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok && static_cast<long>(results.size()) == match.games;
}

bool write_pdn(const Match& match, std::vector<GameResult>& results) {
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

int run_selfplay(int argc, char** argv) {
    static Match match;
    match.players[0].strength.level = 1;
    if (!parse_args(argc, argv, match)) return usage("selfplay");
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
    if (match.concurrency == 1) {
        play_share(match, 0, 1, [&](const GameResult& r) {
            record(match, r, score);
            results.push_back(r);
        });
    } else if (!play_in_processes(match, results, score)) {
        std::fprintf(stderr, "selfplay: a worker process failed; %zu of %ld games played\n",
                     results.size(), match.games);
        return 1;
    }
    if (!match.pdn.empty() && !write_pdn(match, results)) {
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
