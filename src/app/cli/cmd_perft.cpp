// perft DEPTH [FEN] [--plain]: leaf counts for each depth 1..DEPTH, then leaves per second.
// --plain walks without bulk counting or table, for comparing speeds.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string_view>

#include "app/cli/cli.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/perft.h"

namespace qv::cli {
namespace {

int run_perft(int argc, char** argv) {
    long depth = 0;
    const bool plain = argc >= 2 && std::string_view(argv[argc - 1]) == "--plain";
    if (plain) --argc;
    if (argc < 1 || argc > 2 || !parse_int(argv[0], 1, MAX_PLY, depth)) return usage("perft");
    int side = WHITE;
    if (!load_fen_argument(argc == 2 ? argv[1] : START_FEN, side)) return 2;
    reset_lists();
    const auto start = std::chrono::steady_clock::now();
    // One walk counts every depth: perft(d) is the number of moves generated d - 1
    // plies below the root, so the shallower counts come free with the deepest.
    uint64_t counts[MAX_PLY + 1] = {};
    movegen.ply = 1;
    if (plain)
        perft_plain(static_cast<int>(depth), side, counts);
    else
        perft_all(static_cast<int>(depth), side, counts);
    uint64_t leaves = 0;
    for (int d = 1; d <= depth; ++d) {
        leaves += counts[d];
        std::printf("perft %d %" PRIu64 "\n", d, counts[d]);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("leaves/s %.0f\n", seconds > 0 ? static_cast<double>(leaves) / seconds : 0.0);
    return 0;
}

const Register reg({"perft", "perft DEPTH [FEN] [--plain]", run_perft});

}  // namespace
}  // namespace qv::cli
