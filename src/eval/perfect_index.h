// The perfect-play tables: one table per material of at most five pieces (both sides with
// at least one piece), always read with White to move; a position with Black to move is
// read through the colour mirror (colours swapped, square s becomes 33 - s).
//
// Index of a position of material (wm, wk, bm, bk), White to move:
//   ((men_w * C(28, bm) + men_b) * C(32 - m, wk) + kings_w) * C(32 - m - wk, bk) + kings_b
// where men_w ranks the set of white men among squares 5..32, men_b the black men among
// 1..28, kings_w the white kings among the squares no man holds (m men in all), kings_b
// the black kings among the squares still free. Sets are ranked in colex order. Indices
// whose white and black men share a square hold no position (value 0).
//
// One byte a position, for the side to move:
//   0          draw (and every index without a position)
//   1..127     win; the game ends 2v - 1 plies later under best play (shortest)
//   128..255   loss; the game ends 2(v - 128) plies later (longest); 128: no move now
// "The game ends" means the loser is to move without a piece or without a legal move, so
// a win always takes an odd number of plies and a loss an even one.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

inline constexpr int PERFECT_MAX_PIECES = 5;

struct Material {
    uint8_t white_men = 0, white_kings = 0, black_men = 0, black_kings = 0;

    int white() const { return white_men + white_kings; }
    int black() const { return black_men + black_kings; }
    int pieces() const { return white() + black(); }
    int men() const { return white_men + black_men; }
    // The same material seen by the other side (the colour mirror).
    Material mirrored() const { return {black_men, black_kings, white_men, white_kings}; }
    bool operator==(const Material&) const = default;
};

// Every material of the tables: both sides have a piece, at most five in all.
inline constexpr int MATERIAL_KEYS = 5 * 5 * 5 * 5;
inline constexpr int material_key(const Material& m) {
    return ((m.white_men * 5 + m.white_kings) * 5 + m.black_men) * 5 + m.black_kings;
}
bool is_table_material(const Material& m);

// "mmkvk": the side to move's men and kings, "v", the other side's.
std::string material_name(const Material& m);
// The material of a name, false when it is not one.
bool material_of_name(const std::string& name, Material& out);

// Entries of a material's table.
uint32_t table_entries(const Material& m);

// The material on `squares` (White as the side to move when `mover` is White, else the
// mirror). Pieces beyond five give a material that is no table's.
Material material_on(const uint8_t squares[33], int mover);

// Index of the position on `squares` with `mover` to move, in the table of material_on.
uint32_t perfect_index(const uint8_t squares[33], int mover);

// The position of entry `index` (White to move), false when it holds none.
bool perfect_position(const Material& m, uint32_t index, uint8_t squares[33]);

// Squares turned half round and colours swapped: the same position for the other side.
void mirror_squares(const uint8_t in[33], uint8_t out[33]);

// ---- value bytes -------------------------------------------------------------------------

inline constexpr uint8_t PERFECT_DRAW = 0;
inline constexpr uint8_t PERFECT_LOST_NOW = 128;
inline constexpr int PERFECT_LONGEST = 253;  // plies a byte can hold for a win

enum class Outcome : uint8_t { draw, win, loss };

struct PerfectValue {
    Outcome outcome = Outcome::draw;
    int plies = 0;  // to the end of the game (0 for a draw)
};

inline PerfectValue decode_value(uint8_t v) {
    if (v == 0) return {};
    if (v < 128) return {Outcome::win, 2 * v - 1};
    return {Outcome::loss, 2 * (v - 128)};
}
// The byte of a win (odd plies) or a loss (even plies).
inline uint8_t win_byte(int plies) {
    return static_cast<uint8_t>((plies + 1) / 2);
}
inline uint8_t loss_byte(int plies) {
    return static_cast<uint8_t>(128 + plies / 2);
}

// Score of byte v for the side to move at `ply`, in the units of the search: the same
// scale as the nineteen tables (a shorter win and a longer loss score higher).
inline int16_t perfect_score(uint8_t v, int ply) {
    const PerfectValue d = decode_value(v);
    if (d.outcome == Outcome::win) return static_cast<int16_t>(32000 - d.plies - ply);
    if (d.outcome == Outcome::loss) return static_cast<int16_t>(ply + d.plies - 32000);
    return 0;
}

}  // namespace qv
