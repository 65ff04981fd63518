// Fixed tables of the evaluation. Tables about men are read in the owner's view: entry s
// for a black man on square s, entry 33 - s for a white man (entries 1..4: the owner's
// back row, 29..32: its promotion row).
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"

namespace qv {

inline constexpr int owner_entry(uint8_t man_code, int s) {
    return man_code == WHITE_MAN ? 33 - s : s;
}

namespace detail {
inline constexpr std::array<int8_t, 33> make_advance() {
    std::array<int8_t, 33> t{};
    for (int e = 1; e <= 32; ++e) t[e] = static_cast<int8_t>((e - 1) / 4);
    return t;
}
inline constexpr std::array<int8_t, 33> make_wing_zone() {
    std::array<int8_t, 33> t{};
    for (int e : {1, 2, 5, 6, 9, 10, 13, 14}) t[e] = 1;
    for (int e : {3, 4, 7, 8, 11, 12, 15, 16}) t[e] = 2;
    for (int e : {17, 18, 21, 22, 25, 26}) t[e] = 3;
    for (int e : {19, 20, 23, 24, 27, 28}) t[e] = 4;
    return t;
}
inline constexpr std::array<int8_t, 33> make_centre_weight() {
    constexpr int8_t by_column[8] = {0, 2, 3, 5, 5, 3, 2, 0};
    std::array<int8_t, 33> t{};
    for (int s = 1; s <= 32; ++s) t[s] = by_column[square_column(s)];
    return t;
}
inline constexpr std::array<bool, 33> make_inner() {
    std::array<bool, 33> t{};
    for (int s = 1; s <= 32; ++s) {
        const int r = square_row(s), c = square_column(s);
        t[s] = r != 0 && r != 7 && c != 0 && c != 7;
    }
    return t;
}
inline constexpr std::array<int8_t, 33> make_endgame_king() {
    std::array<int8_t, 33> t{};
    for (int s : {4, 8, 11, 15, 18, 22, 25, 29}) t[s] = 10;  // the long diagonal
    t[26] = 5;
    for (int s : {10, 14, 19, 23}) t[s] = 2;
    for (int s : {6, 7, 27}) t[s] = 1;
    return t;
}
}  // namespace detail

// Rows advanced from the owner's back row, by entry.
inline constexpr auto advance_table = detail::make_advance();
// Wing zone 1..4 of an entry (0 on the promotion row).
inline constexpr auto wing_zone = detail::make_wing_zone();
// Centre weight of a square, by its column (the same in both views).
inline constexpr auto centre_weight = detail::make_centre_weight();
// Squares off the edges: 6..11, 14..19, 22..27.
inline constexpr auto inner_square = detail::make_inner();
// King table of the endings with a few men and kings, by square for both colours.
inline constexpr auto endgame_king_table = detail::make_endgame_king();

static_assert(centre_weight[4] == 0 && centre_weight[5] == 0 && centre_weight[18] == 5);
static_assert(inner_square[6] && inner_square[27] && !inner_square[12] && !inner_square[13]);

}  // namespace qv
