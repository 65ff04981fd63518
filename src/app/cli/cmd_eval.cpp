// eval FEN: the static evaluation with each side as root side, then its parts from
// White's view, with the default parameters.
#include <cstdio>

#include "app/cli/cli.h"
#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"
#include "eval/params.h"

namespace qv::cli {
namespace {

// The search's view of a position with `side_to_move` to move: the root side moves at odd
// plies, so the ply is 1 when the root side is to move, 2 otherwise.
// The man table follows the variant flags of the previous preparation: prepare twice so
// that both evaluations see the flags of this position.
EvalBreakdown evaluate_as(int root, int side_to_move) {
    prepare_evaluation(root);
    prepare_evaluation(root);
    movegen.ply = static_cast<int8_t>(root == side_to_move ? 1 : 2);
    return evaluate_with_breakdown(root, -32000, 32000);
}

int run_eval(int argc, char** argv) {
    if (argc != 1) return usage("eval");
    int side = WHITE;
    if (!load_fen_argument(argv[0], side)) return 2;
    if (!load_default_parameters()) return 1;
    const EvalBreakdown black = evaluate_as(BLACK, side);
    const EvalBreakdown white = evaluate_as(WHITE, side);
    std::printf("white %d\n", white.score);
    std::printf("black %d\n", black.score);
    std::printf("material %d\n", white.material);
    std::printf("positional sum %d\n", white.positional_sum);
    std::printf("tempo %d\n", white.tempo);
    std::printf("breakthrough %d\n", white.breakthrough);
    std::printf("men mobility %d\n", white.men_mobility);
    std::printf("formation %d\n", white.formation);
    std::printf("king fork %d\n", white.king_fork);
    std::printf("king tactics %d\n", white.king_tactics);
    std::printf("men-ending pattern %d\n", white.men_ending);
    std::printf("scaling applied %s\n", white.scaled ? "yes" : "no");
    return 0;
}

const Register reg({"eval", "eval FEN", run_eval});

}  // namespace
}  // namespace qv::cli
