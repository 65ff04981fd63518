// show FILE [--game N]: a game's plies, moves, clocks, names and settings.
#include <cstdio>
#include <string>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "board/board.h"
#include "board/file_io.h"
#include "files/any_game.h"
#include "files/text_game.h"
#include "game/clocks.h"
#include "game/game_record.h"

namespace qv::cli {
namespace {

void print_clock(const char* who, int32_t seconds) {
    const ClockText c = clock_text(seconds);
    std::printf("  %s %s:%s", who, c.minutes.c_str(), c.seconds.c_str());
}

int run_show(int argc, char** argv) {
    long game_index = 0;
    OptionParser p("show");
    p.whole("game", 0, 999, game_index);
    if (!p.parse(argc, argv, 1, 1)) return usage("show");
    const char* path = p.args[0];
    const GameFileKind kind = kind_of(path);
    if (kind == GameFileKind::text || kind == GameFileKind::pdn) {
        std::string text;
        if (read_file_prefix(path, TEXT_READ_LIMIT, text)) {
            const auto lines = choice_lines(scan_text_games(text));
            std::printf("games: %zu\n", lines.size());
            for (const auto& l : lines) std::printf("%s\n", l.c_str());
        }
    }
    LoadProblem problem;
    if (!load_any_game(path, static_cast<int>(game_index), problem)) {
        std::fprintf(stderr, "%s: %s\n", path, load_problem_text(problem).c_str());
        return 1;
    }
    std::printf("white: %s\nblack: %s\n", game.white_name.c_str(), game.black_name.c_str());
    std::printf("plies: %d  current ply: %d  side to move: %s  computer: %s\n", game.last_ply,
                game.current_ply, game.side_to_move == WHITE ? "White" : "Black",
                game.computer_colour ? "Black" : "White");
    if (kind == GameFileKind::dam) {
        const LevelRow* row = level_row(clocks.level_index);
        std::printf("level: %d %s  time budget: %d  clock limit: %d  minutes: %d\n",
                    clocks.level_index,
                    row                        ? row->item
                    : clocks.level_index == 18 ? "N8Autre1"
                                               : "",
                    clocks.time_budget, clocks.clock_limit, clocks.nb_minutes);
        std::printf("language: %d  table size: %d\n", game.language, game.table_size_setting);
    }
    for (int p = 1; p <= game.last_ply; ++p) {
        const PlyRecord& e = game.game_record[p];
        std::printf("%3d %s", p, ply_move_text(p).c_str());
        print_clock("white", e.white_clock);
        print_clock("black", e.black_clock);
        std::printf("\n");
    }
    for (const auto& l : game.list_lines) std::printf("%s\n", l.c_str());
    return 0;
}

const Register reg({"show", "show FILE [--game N]", run_show});

}  // namespace
}  // namespace qv::cli
