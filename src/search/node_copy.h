// What a move changes, saved by a node before its moves and restored after each child.
#pragma once

#include <cstring>

#include "board/board.h"
#include "eval/evaluate.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace qv {

struct NodeCopy {
    uint8_t board[33];
    uint8_t piece_count[5];
    int32_t positional_sum;
    int32_t tempo_balance;
    int8_t own_zone[5];
    int8_t their_zone[5];
    int8_t own_centre;
    int8_t their_centre;
    uint8_t quiet_plies;
    int32_t root_reduction;
    int32_t material_gain;
    uint32_t index_key;
    uint32_t lock_key;
    uint32_t position_key;
    int16_t promotion_extension;
    uint8_t list_captures;

    void save() {
        std::memcpy(board, qv::board, sizeof board);
        const EvalState& e = eval_state;
        std::memcpy(piece_count, e.piece_count, sizeof piece_count);
        positional_sum = e.positional_sum;
        tempo_balance = e.tempo_balance;
        std::memcpy(own_zone, e.own_zone, sizeof own_zone);
        std::memcpy(their_zone, e.their_zone, sizeof their_zone);
        own_centre = e.own_centre;
        their_centre = e.their_centre;
        quiet_plies = search.quiet_plies;
        root_reduction = search.root_reduction;
        material_gain = search.material_gain;
        index_key = hash_state.index_key;
        lock_key = hash_state.lock_key;
        position_key = hash_state.position_key;
        promotion_extension = search.promotion_extension;
        list_captures = movegen.best_capture_count;
    }

    void restore() const {
        std::memcpy(qv::board, board, sizeof board);
        EvalState& e = eval_state;
        std::memcpy(e.piece_count, piece_count, sizeof piece_count);
        e.positional_sum = positional_sum;
        e.tempo_balance = tempo_balance;
        std::memcpy(e.own_zone, own_zone, sizeof own_zone);
        std::memcpy(e.their_zone, their_zone, sizeof their_zone);
        e.own_centre = own_centre;
        e.their_centre = their_centre;
        search.quiet_plies = quiet_plies;
        search.root_reduction = root_reduction;
        search.material_gain = material_gain;
        hash_state.index_key = index_key;
        hash_state.lock_key = lock_key;
        hash_state.position_key = position_key;
        search.promotion_extension = promotion_extension;
        movegen.best_capture_count = list_captures;
    }
};

}  // namespace qv
