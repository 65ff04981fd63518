#include "board/perft.h"

#include <cstring>

#include "board/board.h"
#include "board/movegen.h"

namespace qv {

uint64_t perft(int depth, int side) {
    const int p = movegen.ply;
    const int n = generate(side);
    if (depth <= 1) return static_cast<uint64_t>(n);
    uint8_t saved[33];
    std::memcpy(saved, board, sizeof saved);
    const Move* list = move_lists[p];
    uint64_t total = 0;
    for (int i = 0; i < n; ++i) {
        play_move(list[i]);
        movegen.ply = static_cast<int8_t>(p + 1);
        total += perft(depth - 1, 1 - side);
        movegen.ply = static_cast<int8_t>(p);
        std::memcpy(board, saved, sizeof saved);
    }
    return total;
}

}  // namespace qv
