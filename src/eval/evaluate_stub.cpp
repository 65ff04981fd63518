// Placeholder until the real evaluation lands: material only. Delete this file when
// evaluate.cpp arrives.
#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"

namespace qv {

EvalState eval_state;

void compute_evaluation_sums(int side) {
    eval_state.root_side = static_cast<uint8_t>(side);
}

void prepare_evaluation(int side) {
    for (auto& c : eval_state.piece_count) c = 0;
    for (int s = 1; s <= 32; ++s)
        if (board[s] >= 1 && board[s] <= 4) ++eval_state.piece_count[board[s]];
    movegen.ply = 1;
    compute_evaluation_sums(side);
}

int16_t evaluate(int side, int16_t, int16_t) {
    const auto& n = eval_state.piece_count;
    int m = 2000 * (n[1] - n[3]) + 2400 * (n[2] - n[4]);
    return static_cast<int16_t>(side == BLACK ? -m : m);
}

int16_t static_score(int side) {
    prepare_evaluation(side);
    movegen.ply = 2;
    return evaluate(side, -32000, 32000);
}

void eval_lift(uint8_t, int) {}
void eval_place(uint8_t, int) {}

}  // namespace qv
