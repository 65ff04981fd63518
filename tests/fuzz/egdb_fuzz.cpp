// Endgame tables: the input picks a table, the side to move and the squares of its pieces,
// and carries the table file's bytes. A file of the wrong length is refused (the table reads
// as draws); any file taken in gives only in-range indices and scores that say won, lost or
// drawn.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "board/board.h"
#include "eval/egdb.h"
#include "eval/egdb_store.h"
#include "eval/egdb_tables.h"
#include "fuzz_check.h"

namespace {

constexpr size_t HEADER = 6;  // table, side to move, four squares

uint8_t piece_of(int cls, int mover) {
    using namespace qv;
    const bool mover_piece = cls == MOVER_MAN || cls == MOVER_KING;
    const bool king = cls == MOVER_KING || cls == OTHER_KING;
    const bool white = mover_piece == (mover == WHITE);
    return white ? (king ? WHITE_KING : WHITE_MAN) : (king ? BLACK_KING : BLACK_MAN);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    if (size < HEADER) return 0;
    const int t = data[0] % ENDGAME_TABLE_COUNT;
    const int mover = data[1] & 1;
    const TableLayout& layout = TABLE_LAYOUTS[t];
    const std::string_view file(reinterpret_cast<const char*>(data + HEADER), size - HEADER);

    FUZZ_CHECK(fill_table(t, file, endgame_tables) == (file.size() == size_t(layout.size)));
    if (file.size() != size_t(layout.size))
        for (int i = 0; i < layout.size; i += 97) FUZZ_CHECK(endgame_tables.at(t, i) == 0);
    tables_loaded = true;

    clear_board();
    for (int k = 0; k < layout.piece_count; ++k) {
        const int s = data[2 + k] % 32 + 1;
        if (board[s] != EMPTY) return 0;
        board[s] = piece_of(layout.slots[k], mover);
    }
    TableEntry e;
    FUZZ_CHECK(locate_position(board, mover, e));
    FUZZ_CHECK(e.table == t && e.index >= 0 && e.index < layout.size);
    for (int ply = 2; ply <= 3; ++ply) {
        const int root = ply % 2 ? mover : 1 - mover;
        int16_t score = 0;
        FUZZ_CHECK(probe_endgame(root, ply, score));
        FUZZ_CHECK(score == 0 || std::abs(score) >= 31800);
    }
    // The entry's own position locates back to it.
    uint8_t squares[33];
    if (position_of_entry(t, e.index, squares)) {
        TableEntry back;
        FUZZ_CHECK(locate_position(squares, WHITE, back));
        FUZZ_CHECK(back.table == t && back.index == e.index);
    }
    return 0;
}
