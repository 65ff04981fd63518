// egdb play [--games N] [--time S] [--drawn] [--seed N] [--cpu-time] [--no-tables]
//            [--max-plies P]
// The engine, from random five-piece positions that the tables call won for it (or drawn
// with --drawn, no capture pending), against a defender that plays perfectly from the
// tables: it wins as fast as it can, else keeps the draw, else loses as slowly as it can.
// A game ends when a side cannot move, at the third occurrence of a position (a draw) or
// after P plies (a draw). --no-tables keeps the engine's search from the five-piece tables
// (the defender still reads them).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "app/cli/search_common.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "eval/perfect_tables.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/search.h"
#include "search/tt.h"

namespace qv::cli {

namespace {

struct MatchOptions {
    long games = 200;
    double seconds = 0.2;
    bool drawn = false;
    long seed = 1;
    bool cpu_time = false;
    bool engine_tables = true;
    long max_plies = 200;
};

bool parse_match(int argc, char** argv, MatchOptions& o) {
    bool no_tables = false;
    OptionParser p("egdb play");
    p.flag("drawn", o.drawn)
        .flag("cpu-time", o.cpu_time)
        .flag("no-tables", no_tables)
        .whole("games", 1, 100000, o.games)
        .whole("seed", 0, 4294967295L, o.seed)
        .whole("max-plies", 2, 250, o.max_plies)
        .seconds("time", o.seconds);
    if (!p.parse(argc, argv, 0, 0)) return false;
    o.engine_tables = !no_tables;
    return true;
}

// A random position of five pieces with `side` to move, no capture pending, whose table
// value for the side to move is a win (or a draw). False when none was found.
bool pick_position(std::mt19937& rng, bool drawn, int& side, uint8_t& value) {
    std::vector<Material> five;
    for (const Material& m : all_materials())
        if (m.pieces() == PERFECT_MAX_PIECES) five.push_back(m);
    for (int tries = 0; tries < 1000000; ++tries) {
        const Material& m = five[rng() % five.size()];
        uint8_t sq[33];
        if (!perfect_position(m, static_cast<uint32_t>(rng() % table_entries(m)), sq)) continue;
        side = static_cast<int>(rng() % 2);
        if (side == BLACK) {
            uint8_t turned[33];
            mirror_squares(sq, turned);
            std::memcpy(sq, turned, 33);
        }
        std::memcpy(board, sq, 33);
        if (has_capture(side) || !probe_perfect(board, side, value)) continue;
        const Outcome o = decode_value(value).outcome;
        if (o == (drawn ? Outcome::draw : Outcome::win)) return true;
    }
    return false;
}

// The defender's move: index in the ply-1 list of the move best for it by the tables.
int defender_move(int side, int n) {
    const Move* list = move_lists[1];
    uint8_t here[33];
    std::memcpy(here, board, 33);
    int best = 0, best_key = -100000;
    for (int i = 0; i < n; ++i) {
        play_move(list[i]);
        uint8_t v = PERFECT_DRAW;
        int key = 10000;  // the last enemy piece taken
        if (probe_perfect(board, 1 - side, v)) {
            const PerfectValue d = decode_value(v);
            key = d.outcome == Outcome::loss  ? 1000 - d.plies
                  : d.outcome == Outcome::win ? -1000 + d.plies
                                              : 0;
        }
        if (key > best_key) {
            best_key = key;
            best = i;
        }
        std::memcpy(board, here, 33);
    }
    return best;
}

enum class Result { engine_won, draw, engine_lost };

Result play(const MatchOptions& o, int engine_side, CliHost& host, int& plies) {
    static SearchInputs in;
    in = SearchInputs{};
    clear_table();
    search.last_score = 0;
    std::map<std::string, int> seen;
    int side = engine_side;
    for (plies = 0; plies < o.max_plies; ++plies) {
        std::string key(reinterpret_cast<const char*>(board), 33);
        key += static_cast<char>(side);
        if (++seen[key] == 3) return Result::draw;
        int index = -1;
        if (side == engine_side) {
            in.game_ply = plies;
            Strength s;
            s.seconds = o.seconds;
            host.deadline_ms = apply_strength(s, in);
            const uint8_t r = choose_move(side, in);
            if (r != NO_MOVE) index = r == SINGLE_MOVE ? 0 : r;
        } else {
            movegen.ply = 1;
            const int n = legal_moves(side);
            if (n > 0) index = defender_move(side, n);
        }
        if (index < 0) return side == engine_side ? Result::engine_lost : Result::engine_won;
        const Move m = move_lists[1][index];
        play_move(m);
        if (plies + 1 < 256) in.line[plies + 1] = {m.from, m.to, m.captures};
        side = 1 - side;
    }
    return Result::draw;
}

}  // namespace

int run_egdb_play(int argc, char** argv) {
    MatchOptions o;
    if (!parse_match(argc, argv, o)) return usage("egdb");
    use_cpu_time(o.cpu_time);
    start_engine();
    search.library_enabled = 0;
    perfect_search_enabled = o.engine_tables;
    CliHost host;
    set_host(&host);
    std::mt19937 rng(static_cast<uint32_t>(o.seed));
    int score[3] = {0, 0, 0};
    const auto start = std::chrono::steady_clock::now();
    for (long g = 0; g < o.games; ++g) {
        int side = WHITE;
        uint8_t value = 0;
        if (!pick_position(rng, o.drawn, side, value)) {
            std::fprintf(stderr, "egdb play: no five-piece tables to pick positions from\n");
            set_host(&text_host());
            return 1;
        }
        const std::string fen = write_fen(board, side);
        int plies = 0;
        const Result r = play(o, side, host, plies);
        ++score[static_cast<int>(r)];
        const char* words[3] = {"won", "drawn", "lost"};
        const PerfectValue d = decode_value(value);
        std::printf("game %ld %s in %d plies (table: %s%s) %s\n", g + 1, words[static_cast<int>(r)],
                    plies, d.outcome == Outcome::win ? "win in " : "draw",
                    d.outcome == Outcome::win ? std::to_string(d.plies).c_str() : "", fen.c_str());
        std::fflush(stdout);
    }
    set_host(&text_host());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s positions: %d won, %d drawn, %d lost (%.0f s)\n", o.drawn ? "drawn" : "won",
                score[0], score[1], score[2], seconds);
    return 0;
}

}  // namespace qv::cli
