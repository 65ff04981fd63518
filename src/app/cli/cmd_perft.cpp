// perft DEPTH [FEN] [--plain]: leaf counts for each depth 1..DEPTH, then leaves per second.
// --plain walks without bulk counting or table, for comparing speeds.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"
#include "board/perft.h"

namespace qv::cli {
namespace {

int run_perft(int argc, char** argv) {
    long depth = 0;
    bool plain = false;
    OptionParser p("perft");
    p.flag("plain", plain);
    if (!p.parse(argc, argv, 1, 2)) return usage("perft");
    if (!parse_int(p.args[0], 1, MAX_PLY, depth)) {
        p.fail("DEPTH: expected a whole number from 1 to " + std::to_string(MAX_PLY));
        return usage("perft");
    }
    int side = WHITE;
    if (!load_fen_argument(p.args.size() == 2 ? p.args[1] : START_FEN, side)) return 2;
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
