// Layout of the 19 endgame tables: their files, sizes, index forms and how a position on
// the board is located in them.
//
// Each table holds one signed byte per position, for the side to move (the side named
// first in the file name):
//   v > 0     the side to move wins; the game ends v plies later with best play (shortest)
//   v < 0     the side to move loses; the game ends -v plies later (longest resistance)
//   0         draw, and every index that no legal position produces
//   LOST_NOW  the side to move has pieces but no legal move: the game is over and lost
// "The game ends" means the loser is to move without a legal move or without a piece.
// LOST_NOW stands apart because "lost in 0 plies" cannot be written as a negative byte;
// the probe turns it into ply - 32000 for the mover, exactly what the search returns for a
// node whose side has no move. A side with no piece never occurs inside a table (every
// signature has pieces on both sides); a move taking the last enemy piece is a win in 1,
// like a move that leaves the enemy without a move. (The search itself scores the capture
// of the last piece one point higher, 32000 - ply at the capturing node, since it stops
// there without visiting the empty side; a block it scores as the probe does.)
#pragma once

#include <cstdint>

namespace qv {

inline constexpr int8_t LOST_NOW = -128;
inline constexpr int ENDGAME_TABLE_COUNT = 19;
inline constexpr int ENDGAME_TOTAL_BYTES = 1560127;

// Piece classes, seen from the side to move.
enum PieceClass : uint8_t { MOVER_MAN = 0, MOVER_KING = 1, OTHER_MAN = 2, OTHER_KING = 3 };

// How the squares of a table's pieces (in the order of `slots`) make its index.
enum class IndexForm : uint8_t {
    TWO,        // a * 32 + b
    PAIR_ONE,   // pair(a, b) + 496 * (c - 1)
    TRIPLE,     // (a - 1) * 1024 + (b - 1) * 32 + (c - 1)
    PAIR_PAIR,  // pair(a, b) + 496 * pair(c, d)
    PAIR_TWO,   // pair(a, b) + 496 * (c - 1) + 16368 * (d - 1)
};

struct TableLayout {
    const char* name;
    int32_t size;    // bytes in the file
    int32_t offset;  // start in the block of all tables
    IndexForm form;
    uint8_t piece_count;
    PieceClass slots[4];  // the class of the piece whose square fills each index slot
    bool mirrored;        // with Black to move, squares s are read as 33 - s
};

// In the order they are loaded.
extern const TableLayout TABLE_LAYOUTS[ENDGAME_TABLE_COUNT];

// Table for the material (men and kings of the mover, of the other side); -1 when none.
int table_for_material(int mover_men, int mover_kings, int other_men, int other_kings);

// pair(a, b) for like pieces on squares a < b: 0..495.
inline constexpr int pair_index(int a, int b) {
    return (a - 1) + (b - 1) * (b - 2) / 2;
}

// Where a position stands in the tables.
struct TableEntry {
    int table = -1;
    int index = 0;
};

// Locates `squares` (33 entries, board layout) with `mover` to move. False when the
// material (at most four pieces) matches none of the 19 tables.
bool locate_position(const uint8_t* squares, int mover, TableEntry& out);

// The position of entry `index` of `table`, White to move (the tables are filled as if
// White moved; Black to move is read through the mirror). False when no legal position
// has that index (same square twice, a man on its crowning row, a malformed pair, out of
// range).
bool position_of_entry(int table, int index, uint8_t squares[33]);

// Score of byte v for the side to move at `ply` (from the mover's view).
inline int16_t endgame_score(int8_t v, int ply) {
    if (v == LOST_NOW) return static_cast<int16_t>(ply - 32000);
    if (v > 0) return static_cast<int16_t>(32000 - v - ply);
    if (v < 0) return static_cast<int16_t>(-32000 - v + ply);
    return 0;
}

}  // namespace qv
