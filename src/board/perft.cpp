#include "board/perft.h"

#include <cstring>

#include "board/board.h"
#include "board/movegen.h"

namespace qv {

namespace {

// counts[d] receives the size of every list generated d plies below the start.
void walk(int depth, int side, int d, uint64_t counts[]) {
    const int p = movegen.ply;
    if (d >= depth) {  // the last ply is counted in bulk
        counts[d] += static_cast<uint64_t>(count_moves(side));
        return;
    }
    const int n = generate(side);
    counts[d] += static_cast<uint64_t>(n);
    uint8_t saved[33];
    std::memcpy(saved, board, sizeof saved);
    const Move* list = move_lists[p];
    for (int i = 0; i < n; ++i) {
        play_move(list[i]);
        movegen.ply = static_cast<int8_t>(p + 1);
        walk(depth, 1 - side, d + 1, counts);
        movegen.ply = static_cast<int8_t>(p);
        std::memcpy(board, saved, sizeof saved);
    }
}

}  // namespace

void perft_all(int depth, int side, uint64_t counts[]) {
    walk(depth, side, 1, counts);
}

uint64_t perft(int depth, int side) {
    uint64_t counts[MAX_PLY + 1] = {};
    walk(depth, side, 1, counts);
    return counts[depth];
}

}  // namespace qv
