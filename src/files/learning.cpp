#include "files/learning.h"

#include <cstdlib>

#include "board/board.h"
#include "game/game_record.h"
#include "game/session.h"
#include "search/position_table.h"
#include "search/tt.h"

namespace qv {

int learning_material(const uint8_t squares[33], int side) {
    const uint8_t man = side == WHITE ? WHITE_MAN : BLACK_MAN;
    int material = 0;
    for (int s = 1; s <= 32; ++s) {
        if (squares[s] == man) material += 3;
        if (squares[s] == man + 1) material += 1;
    }
    return material;
}

LearnTarget learning_target(int32_t t) {
    while (game.current_ply < game.last_ply) avancer(t);
    const PlyRecord& entry = game.game_record[game.current_ply];
    LearnTarget target;
    for (int s = 1; s <= 32; ++s) {
        board[s] = entry.squares[s];
        const uint8_t code = entry.squares[s];
        if (code < WHITE_MAN || code > BLACK_KING) continue;
        target.index_key ^= hash_state.position_key_table[code * 32 + s];
        target.lock_key ^= hash_state.lock_key_table[code * 32 + s];
    }
    // The side that moved last stands on the move's arrival square.
    if (entry.to >= 1 && entry.to <= 32 && entry.squares[entry.to] >= BLACK_MAN)
        target.index_key += 1;
    const int imbalance =
        std::abs(learning_material(entry.squares, WHITE) - learning_material(entry.squares, BLACK));
    target.learnable = imbalance < LEARN_MAX_IMBALANCE && game.current_ply >= LEARN_MIN_PLIES;
    return target;
}

bool learn_position(const LearnTarget& target, int16_t score, const std::filesystem::path& file) {
    return store_position(target.index_key, target.lock_key, score, file.string());
}

}  // namespace qv
