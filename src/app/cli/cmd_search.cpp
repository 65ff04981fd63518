// search FEN [--depth N | --time SECONDS | --level L] [--book on|off] [--seed N]:
// the computer's choice for the side to move, with the lines the window would show.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "app/cli/search_common.h"
#include "board/board.h"
#include "board/movegen.h"
#include "files/lesson_source.h"
#include "search/book.h"
#include "search/driver.h"
#include "search/engine_start.h"

namespace qv::cli {
namespace {

// Plays the moves of `text` ("23-19 10-14 ...", notation numbers) from the position on
// board, recording them as the game line. False, with a message, at an illegal move.
bool play_line(const std::string& text, int& side, SearchInputs& in) {
    std::vector<LessonMove> moves;
    if (!parse_moves(text, moves)) {
        std::fprintf(stderr, "search: bad move in \"%s\"\n", text.c_str());
        return false;
    }
    for (const LessonMove& given : moves) {
        const int n = legal_moves(side);
        const Move* list = move_lists[1];
        int k = 0;
        while (k < n && (list[k].from != given.from || list[k].to != given.to)) ++k;
        if (k == n || in.game_ply >= 250) {
            std::fprintf(stderr, "search: illegal move \"%s\"\n",
                         move_text(given.from, given.to, given.capture).c_str());
            return false;
        }
        const Move m = list[k];
        play_move(m);
        in.line[++in.game_ply] = {m.from, m.to, m.captures};
        side = 1 - side;
    }
    return true;
}

int run_search(int argc, char** argv) {
    Strength strength;
    strength.level = 5;
    bool book_on = false;
    std::string moves;
    long seed = -1;
    OptionParser p("search");
    for (const char* kind : {"depth", "time", "level"})
        p.custom(kind, strength_expected(kind),
                 [&strength, kind](const char* v) { return parse_strength(kind, v, strength); });
    p.custom("book", "on or off",
             [&book_on](const char* v) {
                 book_on = std::string_view(v) == "on";
                 return book_on || std::string_view(v) == "off";
             })
        .text("moves", moves)
        .whole("seed", 0, 4294967295L, seed);
    if (!p.parse(argc, argv, 1, 1) || !p.exclusive("depth", "time") ||
        !p.exclusive("depth", "level") || !p.exclusive("time", "level"))
        return usage("search");
    if (seed >= 0) seed_book_random(static_cast<uint32_t>(seed));
    int side = WHITE;
    if (!load_fen_argument(p.args[0], side)) return 1;
    static SearchInputs in;
    if (!play_line(moves, side, in)) return 1;
    start_engine();
    CliHost cli_host;
    cli_host.print = true;
    set_host(&cli_host);
    search.library_enabled = book_on;
    cli_host.deadline_ms = apply_strength(strength, in);
    const auto started = std::chrono::steady_clock::now();
    const uint8_t r = choose_move(side, in);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    cli_host.flush();
    if (search.node_count > 0) {
        // a stopped iteration does not count as reached
        const int depth = search.iteration_depth - (search.stop_requested ? 1 : 0);
        std::printf("depth %d nodes %d time %.2f nps %.0f\n", depth, search.node_count, seconds,
                    seconds > 0 ? search.node_count / seconds : 0.0);
    }
    set_host(&text_host());
    if (r == NO_MOVE) {
        std::printf("bestmove none score %d\n", (side == WHITE ? 1 : 1) * -16000);
        return 0;
    }
    const bool searched = r != SINGLE_MOVE && search.node_count > 0;
    const Move& m = move_lists[1][r == SINGLE_MOVE ? 0 : r];
    const int score = searched ? search.last_score : search.root_static;
    std::printf("bestmove %s score %d\n", move_text(m.from, m.to, m.captures > 0).c_str(),
                score / 2);
    return 0;
}

const Register reg({"search",
                    "search FEN [--depth N | --time SECONDS | --level L] [--book on|off] "
                    "[--seed N] [--moves \"23-19 10-14 ...\"]",
                    run_search});

}  // namespace
}  // namespace qv::cli
