#include "eval/egdb_moves.h"

#include <cstring>

#include "board/board.h"

namespace qv {

int table_moves(const uint8_t squares[33], TableMove out[MAX_MOVES]) {
    std::memcpy(board, squares, 33);
    board[0] = OFF_BOARD;
    movegen.ply = 1;
    const int n = generate(WHITE);
    const Move* list = move_lists[1];
    int result = n;
    for (int i = 0; i < n; ++i) {
        std::memcpy(board, squares, 33);
        board[0] = OFF_BOARD;
        play_move(list[i]);
        bool black_left = false;
        for (int s = 1; s <= 32 && !black_left; ++s) black_left = is_black(board[s]);
        out[i] = TableMove{};
        out[i].wipes_out = !black_left;
        if (black_left && !locate_position(board, BLACK, out[i].entry)) result = -1;
    }
    std::memcpy(board, squares, 33);
    board[0] = OFF_BOARD;
    return result;
}

}  // namespace qv
