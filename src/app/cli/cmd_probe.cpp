// probe FEN: where the position stands in the endgame tables and what the search gets:
// the perfect-play tables' value and distance, then the entry of the 19 tables.
#include <cstdio>
#include <string>

#include "app/cli/cli.h"
#include "board/board.h"
#include "eval/egdb.h"
#include "eval/egdb_store.h"
#include "eval/perfect_tables.h"
#include "lang/messages.h"

namespace qv::cli {
namespace {

std::string meaning(int8_t v) {
    if (v == LOST_NOW) return "no legal move: lost";
    if (v > 0) return "win in " + std::to_string(v) + " plies";
    if (v < 0) return "loss in " + std::to_string(-v) + " plies";
    return "draw";
}

int run_probe(int argc, char** argv) {
    if (argc != 1) return usage("probe");
    int side = WHITE;
    if (!load_fen_argument(argv[0], side)) return 2;
    uint8_t v5 = 0;
    if (probe_perfect(board, side, v5)) {
        const PerfectValue d = decode_value(v5);
        const std::string value =
            d.outcome == Outcome::win    ? format_message(Msg::TABLE_WIN_IN, language(), d.plies)
            : d.outcome == Outcome::loss ? format_message(Msg::TABLE_LOSS_IN, language(), d.plies)
                                         : std::string(message(Msg::TABLE_DRAWN, language()));
        std::printf("perfect %s: %s\n", material_name(material_on(board, side)).c_str(),
                    value.c_str());
    } else {
        std::printf("perfect none\n");
    }
    TableEntry e;
    if (!locate_position(board, side, e)) {
        std::printf("table none\n");
        return 0;
    }
    int16_t at_ply1 = 0, at_ply2 = 0;
    probe_endgame(side, 1, at_ply1);      // the side to move is the root side
    probe_endgame(1 - side, 2, at_ply2);  // the side to move answers the root side
    const int8_t v = endgame_tables.at(e.table, e.index);
    std::printf("table %s\n", TABLE_LAYOUTS[e.table].name);
    std::printf("index %d\n", e.index);
    std::printf("byte %d (%s)\n", v, meaning(v).c_str());
    std::printf("score at ply 1 %d (root side to move)\n", at_ply1);
    std::printf("score at ply 2 %d (root side's opponent to move)\n", at_ply2);
    return 0;
}

const Register reg({"probe", "probe FEN", run_probe});

}  // namespace
}  // namespace qv::cli
