// egdb verify [DIR]: checks every entry of the 19 endgame tables against its moves and
// prints, per table, "name wins draws losses longest-win FEN-of-a-longest-win".
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "app/cli/cli.h"
#include "board/board.h"
#include "board/data_dir.h"
#include "board/fen.h"
#include "eval/egdb_store.h"
#include "eval/egdb_verify.h"

namespace qv::cli {
namespace {

int run_egdb(int argc, char** argv) {
    if (argc < 1 || argc > 2 || std::string_view(argv[0]) != "verify") return usage("egdb");
    const std::filesystem::path dir = argc == 2 ? std::filesystem::path(argv[1]) : program_dir();
    auto tables = std::make_unique<EndgameTables>();
    if (load_tables_from(dir, *tables) != ENDGAME_TABLE_COUNT) {
        std::fprintf(stderr, "egdb verify: not every table could be read from %s\n",
                     dir.string().c_str());
        return 1;
    }
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        TableSummary s;
        std::string error;
        if (!verify_table(*tables, t, s, error)) {
            std::printf("%s inconsistent\n", TABLE_LAYOUTS[t].name);
            std::fprintf(stderr, "egdb verify: %s\n", error.c_str());
            return 1;
        }
        std::string fen = "-";
        uint8_t squares[33];
        if (s.longest_index >= 0 && position_of_entry(t, s.longest_index, squares))
            fen = write_fen(squares, WHITE);
        std::printf("%s %d %d %d %d %s\n", TABLE_LAYOUTS[t].name, s.wins, s.draws, s.losses,
                    s.longest_win, fen.c_str());
        std::fflush(stdout);
    }
    return 0;
}

const Register reg({"egdb", "egdb verify [DIR]", run_egdb});

}  // namespace
}  // namespace qv::cli
