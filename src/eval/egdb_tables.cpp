#include "eval/egdb_tables.h"

#include <array>
#include <cstring>

#include "board/board.h"

namespace qv {

namespace {

constexpr PieceClass MM = MOVER_MAN, MK = MOVER_KING, OM = OTHER_MAN, OK = OTHER_KING;
using F = IndexForm;

constexpr std::array<TableLayout, ENDGAME_TABLE_COUNT> make_layouts() {
    std::array<TableLayout, ENDGAME_TABLE_COUNT> t = {{
        {"dod.chb", 1056, 0, F::TWO, 2, {MK, OK}, false},
        {"ddod.chb", 15841, 0, F::PAIR_ONE, 3, {MK, MK, OK}, false},
        {"dodd.chb", 15841, 0, F::PAIR_ONE, 3, {OK, OK, MK}, false},
        {"dop.ita", 1056, 0, F::TWO, 2, {MK, OM}, true},
        {"pod.ita", 1056, 0, F::TWO, 2, {MM, OK}, true},
        {"pop.ita", 1056, 0, F::TWO, 2, {MM, OM}, true},
        {"pdod.ita", 33824, 0, F::TRIPLE, 3, {MM, MK, OK}, true},
        {"dopd.ita", 33824, 0, F::TRIPLE, 3, {MK, OM, OK}, true},
        {"podd.ita", 15841, 0, F::PAIR_ONE, 3, {OK, OK, MM}, true},
        {"ddop.ita", 15841, 0, F::PAIR_ONE, 3, {MK, MK, OM}, true},
        {"pdop.ita", 33824, 0, F::TRIPLE, 3, {MM, MK, OM}, true},
        {"popd.ita", 33824, 0, F::TRIPLE, 3, {MM, OM, OK}, true},
        {"dopp.ita", 15841, 0, F::PAIR_ONE, 3, {OM, OM, MK}, true},
        {"ppod.ita", 15841, 0, F::PAIR_ONE, 3, {MM, MM, OK}, true},
        {"popp.ita", 15841, 0, F::PAIR_ONE, 3, {OM, OM, MM}, true},
        {"ppop.ita", 15841, 0, F::PAIR_ONE, 3, {MM, MM, OM}, true},
        {"ddodd.chb", 246513, 0, F::PAIR_PAIR, 4, {MK, MK, OK, OK}, true},
        {"ddopd.ita", 523683, 0, F::PAIR_TWO, 4, {MK, MK, OM, OK}, true},
        {"pdodd.ita", 523683, 0, F::PAIR_TWO, 4, {OK, OK, MM, MK}, true},
    }};
    int32_t offset = 0;
    for (auto& s : t) {
        s.offset = offset;
        offset += s.size;
    }
    return t;
}

constexpr auto LAYOUTS = make_layouts();
static_assert(LAYOUTS[ENDGAME_TABLE_COUNT - 1].offset + LAYOUTS[ENDGAME_TABLE_COUNT - 1].size ==
              ENDGAME_TOTAL_BYTES);

// Material (mover men, mover kings, other men, other kings), each 0..2, to a table.
constexpr int material_key(int mm, int mk, int om, int ok) {
    return ((mm * 3 + mk) * 3 + om) * 3 + ok;
}

constexpr std::array<int8_t, 81> make_material_tables() {
    std::array<int8_t, 81> t{};
    for (auto& e : t) e = -1;
    for (int i = 0; i < ENDGAME_TABLE_COUNT; ++i) {
        int n[4] = {0, 0, 0, 0};
        for (int k = 0; k < LAYOUTS[i].piece_count; ++k) ++n[LAYOUTS[i].slots[k]];
        t[material_key(n[0], n[1], n[2], n[3])] = static_cast<int8_t>(i);
    }
    return t;
}
constexpr auto MATERIAL_TABLES = make_material_tables();

struct Pair {
    uint8_t a, b;
};
constexpr std::array<Pair, 496> make_pairs() {
    std::array<Pair, 496> t{};
    for (int b = 2; b <= 32; ++b)
        for (int a = 1; a < b; ++a)
            t[pair_index(a, b)] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
    return t;
}
constexpr auto PAIRS = make_pairs();

// Piece code of a class when White is to move.
constexpr uint8_t WHITE_TO_MOVE_CODE[4] = {WHITE_MAN, WHITE_KING, BLACK_MAN, BLACK_KING};

}  // namespace

const TableLayout TABLE_LAYOUTS[ENDGAME_TABLE_COUNT] = {
    LAYOUTS[0],  LAYOUTS[1],  LAYOUTS[2],  LAYOUTS[3],  LAYOUTS[4],  LAYOUTS[5],  LAYOUTS[6],
    LAYOUTS[7],  LAYOUTS[8],  LAYOUTS[9],  LAYOUTS[10], LAYOUTS[11], LAYOUTS[12], LAYOUTS[13],
    LAYOUTS[14], LAYOUTS[15], LAYOUTS[16], LAYOUTS[17], LAYOUTS[18],
};

int table_for_material(int mover_men, int mover_kings, int other_men, int other_kings) {
    if (mover_men < 0 || mover_kings < 0 || other_men < 0 || other_kings < 0) return -1;
    if (mover_men > 2 || mover_kings > 2 || other_men > 2 || other_kings > 2) return -1;
    return MATERIAL_TABLES[material_key(mover_men, mover_kings, other_men, other_kings)];
}

bool locate_position(const uint8_t* squares, int mover, TableEntry& out) {
    uint8_t found[4][2];
    int count[4] = {0, 0, 0, 0};
    int total = 0;
    const bool black_moves = mover == BLACK;
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = squares[s];
        if (c == EMPTY || c > BLACK_KING) continue;
        const int cls = (is_black(c) != black_moves ? OTHER_MAN : MOVER_MAN) + is_king(c);
        if (++total > 4 || count[cls] == 2) return false;
        found[cls][count[cls]++] = static_cast<uint8_t>(s);
    }
    const int t = MATERIAL_TABLES[material_key(count[0], count[1], count[2], count[3])];
    if (t < 0) return false;
    const TableLayout& layout = LAYOUTS[t];
    if (black_moves && layout.mirrored) {
        // The board turned half round: Black's men then move toward squares 1..4 like
        // White's. Mirroring reverses the scan order, so pairs are swapped back.
        for (int cls = 0; cls < 4; ++cls) {
            for (int k = 0; k < count[cls]; ++k) found[cls][k] = 33 - found[cls][k];
            if (count[cls] == 2) std::swap(found[cls][0], found[cls][1]);
        }
    }
    int sq[4];
    int taken[4] = {0, 0, 0, 0};
    for (int k = 0; k < layout.piece_count; ++k) {
        const int cls = layout.slots[k];
        sq[k] = found[cls][taken[cls]++];
    }
    int index = 0;
    switch (layout.form) {
        case F::TWO:
            index = sq[0] * 32 + sq[1];
            break;
        case F::PAIR_ONE:
            index = pair_index(sq[0], sq[1]) + 496 * (sq[2] - 1);
            break;
        case F::TRIPLE:
            index = (sq[0] - 1) * 1024 + (sq[1] - 1) * 32 + (sq[2] - 1);
            break;
        case F::PAIR_PAIR:
            index = pair_index(sq[0], sq[1]) + 496 * pair_index(sq[2], sq[3]);
            break;
        case F::PAIR_TWO:
            index = pair_index(sq[0], sq[1]) + 496 * (sq[2] - 1) + 16368 * (sq[3] - 1);
            break;
    }
    out.table = t;
    out.index = index;
    return true;
}

bool position_of_entry(int table, int index, uint8_t squares[33]) {
    if (table < 0 || table >= ENDGAME_TABLE_COUNT) return false;
    const TableLayout& layout = LAYOUTS[table];
    if (index < 0 || index >= layout.size) return false;
    int sq[4] = {0, 0, 0, 0};
    switch (layout.form) {
        case F::TWO:
            sq[0] = (index - 1) / 32;  // b runs 1..32, so a * 32 + 32 is (a, 32)
            sq[1] = (index - 1) % 32 + 1;
            break;
        case F::PAIR_ONE:
            sq[0] = PAIRS[index % 496].a;
            sq[1] = PAIRS[index % 496].b;
            sq[2] = index / 496 + 1;
            break;
        case F::TRIPLE:
            sq[0] = index / 1024 + 1;
            sq[1] = index / 32 % 32 + 1;
            sq[2] = index % 32 + 1;
            break;
        case F::PAIR_PAIR:
            if (index / 496 >= 496) return false;
            sq[0] = PAIRS[index % 496].a;
            sq[1] = PAIRS[index % 496].b;
            sq[2] = PAIRS[index / 496].a;
            sq[3] = PAIRS[index / 496].b;
            break;
        case F::PAIR_TWO:
            sq[0] = PAIRS[index % 496].a;
            sq[1] = PAIRS[index % 496].b;
            sq[2] = index / 496 % 33 + 1;
            sq[3] = index / 16368 + 1;
            break;
    }
    std::memset(squares, EMPTY, 33);
    squares[0] = OFF_BOARD;
    for (int k = 0; k < layout.piece_count; ++k) {
        const int s = sq[k];
        if (s < 1 || s > 32 || squares[s] != EMPTY) return false;
        const uint8_t code = WHITE_TO_MOVE_CODE[layout.slots[k]];
        if (code == WHITE_MAN && s <= 4) return false;  // it would have been crowned
        if (code == BLACK_MAN && s >= 29) return false;
        squares[s] = code;
    }
    return true;
}

}  // namespace qv
