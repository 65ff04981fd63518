// bench [DEPTH]: fixed-depth searches of a fixed set of positions, book off, fresh tables
// for each. The node total is the search's signature: the same on every run and machine.
#include <chrono>
#include <cinttypes>
#include <cstdio>

#include "app/cli/cli.h"
#include "app/cli/options.h"
#include "app/cli/search_common.h"
#include "board/board.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/search.h"
#include "search/tt.h"

namespace qv::cli {
namespace {

constexpr const char* BENCH_POSITIONS[] = {
    // openings
    "W:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",
    "B:W19,21,22,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",
    "W:W18,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,16",
    "B:W17,18,21,22,23,24,25,27,28,30,31,32:B1,2,3,5,6,7,8,9,11,12,14,16",
    "W:W17,18,22,23,24,25,26,27,28,30,31,32:B1,2,3,5,6,7,8,9,11,12,14,16",
    "W:W13,17,21,23,24,25,26,27,28,31,32:B1,2,6,7,8,9,10,11,12,14,16",
    "W:W21,22,23,24,26,27,28,30,31,32:B1,2,3,4,5,6,7,8,10,11",
    // middle games
    "B:W17,18,21,23,24,25,27,28,31,32:B2,5,6,7,8,10,11,12,15,16",
    "W:W17,23,24,25,27,28,31,32:B2,5,6,7,8,10,11,16",
    "W:W9,13,17,22,23,24,27,28,32:B2,6,7,10,11,12,15,16,18",
    "W:W9,13,17,23,27,28,31,32:B2,5,6,8,10,12,14,16,24",
    "W:W9,13,17,22,23,28,31,32:B2,5,6,8,10,14,15,16,24",
    "B:W9,13,17,22,27,32:B2,5,6,10,15,16,24",
    "W:W17,21,22,25,26,27,29,30,31:B1,2,3,5,6,7,9,11,14",
    "B:W18,20,21,22,24,25,27,28,29,31:B1,2,3,6,7,9,10,11,12,16",
    // endings with kings
    "W:W13,16,17,24,28:B6,7,9,10,12,18,27,K30",
    "W:W9,11,13,17,31:B2,5,6,10,19,24,K32",
    "B:WK4,9,13,17,32:B2,5,6,10,23,K30,K31",
    "W:WK8,9,13,17,32:B2,5,6,10,K24,K30,K31",
    "W:WK7,9,13,32:B2,K3,5,15,K30,K31",
    "B:WK1,9,32:B2,K4,15,K30,K31",
    "W:WK22,K23:B5,6,12",
    // endings without kings
    "W:W21,25,30:B3,7",
    "W:W20,24,27,28:B5,9,10,13",
    "B:W17,22,26,31:B2,6,11,15",
    "W:W22,25,29,30:B1,5,9,14",
    // inside the endgame tables
    "W:WK22:BK11",
    "W:WK22,K18:BK11",
    "W:W26:B7",
    "W:WK14,30:BK3",
    "W:W21,26:B10",
    "B:W21,26:B10",
    "W:WK15,K18:BK2,K5",
    "W:W27:BK5",
    "W:WK10:B20,24",
};

int run_bench(int argc, char** argv) {
    long depth = 9;
    OptionParser p("bench");
    if (!p.parse(argc, argv, 0, 1)) return usage("bench");
    if (!p.args.empty() && !parse_int(p.args[0], 1, 30, depth)) {
        p.fail("DEPTH: expected a whole number from 1 to 30");
        return usage("bench");
    }
    start_engine();
    search.library_enabled = 0;
    static SearchInputs in;
    int64_t total = 0;
    const auto start = std::chrono::steady_clock::now();
    int k = 0;
    for (const char* fen : BENCH_POSITIONS) {
        int side = WHITE;
        if (!load_fen_argument(fen, side)) return 1;
        clear_table();
        search.last_score = 0;
        in = SearchInputs{};
        in.fixed_depth = static_cast<int>(depth);
        choose_move(side, in);
        total += search.node_count;
        std::printf("position %2d: %10d nodes\n", ++k, search.node_count);
        std::fflush(stdout);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("Nodes searched: %" PRId64 "\n", total);
    std::printf("Nodes/second: %.0f\n", seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
    return 0;
}

const Register reg({"bench", "bench [DEPTH]", run_bench});

}  // namespace
}  // namespace qv::cli
