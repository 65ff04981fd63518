// The search's move maker: plays a move and keeps every incremental quantity current.
// There is no unmake; nodes restore a saved copy instead.
#include "board/board.h"
#include "eval/evaluate.h"
#include "search/position_table.h"
#include "search/search.h"
#include "search/tt.h"

namespace qv {

void make_search_move(int i) {
    const int p = movegen.ply;
    const Move& m = move_lists[p][i];
    const int from = m.from;
    const int to = m.to;
    const uint8_t code = board[from];
    auto& count = eval_state.piece_count;
    const bool white_root = search.root_side == WHITE;

    toggle_key(code, from);
    eval_lift(code, from);
    board[from] = EMPTY;

    for (int k = 0; k < m.captures; ++k) {
        const int sq = m.taken[k];
        const uint8_t taken = board[sq];
        toggle_key(taken, sq);
        eval_lift(taken, sq);
        const int worth = is_king(taken) ? 3 : 1;
        const bool opponents = is_white(taken) != white_root;
        search.material_gain += opponents ? worth : -worth;
        --count[taken];
        board[sq] = EMPTY;
    }

    uint8_t final_code = code;
    const bool crowned = (code == BLACK_MAN && to >= 29) || (code == WHITE_MAN && to <= 4);
    if (crowned) {
        const int gain = search.material_gain;
        const bool gain_fits = code == WHITE_MAN ? gain >= 0 && gain <= 4 : gain >= -4 && gain <= 0;
        if (count[code + 1] == 0 && gain_fits &&
            p - search.capture_plies[p] - search.root_reduction > search.iteration_depth - 2)
            search.promotion_extension = 2;
        --count[code];
        ++count[code + 1];
        final_code = static_cast<uint8_t>(code + 1);
        const bool roots = is_white(code) == white_root;
        search.material_gain += roots ? 2 : -2;
    }
    eval_place(final_code, to);
    board[to] = final_code;
    toggle_key(final_code, to);
    eval_state.last_destination = static_cast<uint8_t>(to);
}

namespace {
// The child's key in `keys` from the node's `key`.
uint32_t child_key(const Move& m, const uint32_t* keys, uint32_t key) {
    const uint8_t code = board[m.from];
    const bool crowned = (code == BLACK_MAN && m.to >= 29) || (code == WHITE_MAN && m.to <= 4);
    key ^= keys[code * 32 + m.from] ^ keys[(crowned ? code + 1 : code) * 32 + m.to];
    for (int k = 0; k < m.captures; ++k) key ^= keys[board[m.taken[k]] * 32 + m.taken[k]];
    return key;
}
}  // namespace

void prefetch_child(const Move& m, bool child_probes_table) {
    if (child_probes_table)
        tt_prefetch(child_key(m, hash_state.index_key_table, hash_state.index_key));
    const uint32_t position = child_key(m, hash_state.position_key_table, hash_state.position_key);
    prefetch_position(position + (is_white(board[m.from]) ? 0 : 1));  // the child's side to move
}

}  // namespace qv
