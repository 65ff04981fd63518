// moves FEN: the legal moves, one per line, as full paths ("23-19", "31x22x13").
#include <cstdio>
#include <string>

#include "app/cli/cli.h"
#include "board/board.h"
#include "board/movegen.h"

namespace qv::cli {
namespace {

int run_moves(int argc, char** argv) {
    if (argc != 1) return usage("moves");
    int side = WHITE;
    if (!load_fen_argument(argv[0], side)) return 2;
    const int n = legal_moves(side);
    for (int i = 0; i < n; ++i) {
        const std::string text = move_path(move_lists[1][i]);
        std::printf("%s\n", text.c_str());
    }
    return 0;
}

const Register reg({"moves", "moves FEN", run_moves});

}  // namespace
}  // namespace qv::cli
