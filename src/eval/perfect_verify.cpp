#include "eval/perfect_verify.h"

#include <algorithm>
#include <cstring>

#include "board/board.h"
#include "board/fen.h"
#include "board/movegen.h"

namespace qv {

namespace {

// The byte the moves of `mover` on board call for, from the tables of their successors.
uint8_t derived_byte(const PerfectSet& set, const uint8_t sq[33], int mover, std::string& error) {
    std::memcpy(board, sq, 33);
    movegen.ply = 1;
    const int n = generate(mover);
    if (n == 0) return PERFECT_LOST_NOW;
    const Move* list = move_lists[1];
    int shortest_loss = -1, longest_win = -1;
    bool all_won = true;
    for (int j = 0; j < n; ++j) {
        std::memcpy(board, sq, 33);
        play_move(list[j]);
        bool other_left = false;
        for (int s = 1; s <= 32 && !other_left; ++s)
            other_left = board[s] != EMPTY && is_black(board[s]) == (mover == WHITE);
        PerfectValue d{Outcome::loss, 0};
        if (other_left) {
            const Material next = material_on(board, 1 - mover);
            if (!set.has(next)) {
                error = "the table " + material_name(next) + " is not there";
                return PERFECT_DRAW;
            }
            d = decode_value(set.value(board, 1 - mover));
        }
        if (d.outcome == Outcome::loss) {
            all_won = false;
            if (shortest_loss < 0 || d.plies < shortest_loss) shortest_loss = d.plies;
        } else if (d.outcome == Outcome::win) {
            longest_win = std::max(longest_win, d.plies);
        } else {
            all_won = false;
        }
    }
    if (shortest_loss >= 0) return win_byte(shortest_loss + 1);
    if (all_won) return loss_byte(longest_win + 1);
    return PERFECT_DRAW;
}

std::string words(uint8_t v) {
    const PerfectValue d = decode_value(v);
    if (d.outcome == Outcome::draw) return "draw";
    return std::string(d.outcome == Outcome::win ? "win in " : "loss in ") +
           std::to_string(d.plies);
}

}  // namespace

bool verify_perfect(const PerfectSet& set, const Material& m, PerfectSummary& summary,
                    std::string& error) {
    summary = PerfectSummary{};
    if (!set.has(m)) {
        error = material_name(m) + ": not in memory";
        return false;
    }
    const std::vector<uint8_t>& table = set.tables[material_key(m)];
    const bool kings_only = m.men() == 0;
    uint8_t sq[33], turned[33];
    for (uint32_t i = 0; i < table.size(); ++i) {
        const uint8_t v = table[i];
        if (!perfect_position(m, i, sq)) {
            if (v == PERFECT_DRAW) continue;
            error = material_name(m) + " index " + std::to_string(i) +
                    ": no position has this index, but it holds " + std::to_string(v);
            return false;
        }
        mirror_squares(sq, turned);
        const uint8_t white_view = derived_byte(set, sq, WHITE, error);
        const uint8_t black_view = error.empty() ? derived_byte(set, turned, BLACK, error) : 0;
        if (!error.empty()) return false;
        std::string why;
        if (white_view != v)
            why = "its moves make it a " + words(white_view);
        else if (black_view != v)
            why = "with the colours swapped its moves make it a " + words(black_view);
        if (kings_only && why.empty()) {
            uint8_t rotated[33];
            rotated[0] = OFF_BOARD;
            for (int s = 1; s <= 32; ++s) rotated[s] = sq[33 - s];
            const uint8_t r = set.value(rotated, WHITE);
            if (r != v) why = "the board turned half round makes it a " + words(r);
        }
        if (!why.empty()) {
            error = material_name(m) + " index " + std::to_string(i) + " (" + write_fen(sq, WHITE) +
                    ") holds a " + words(v) + ", but " + why;
            return false;
        }
        const PerfectValue d = decode_value(v);
        if (d.outcome == Outcome::win) {
            ++summary.wins;
            if (d.plies > summary.longest_win) {
                summary.longest_win = d.plies;
                summary.longest_index = i;
            }
        } else if (d.outcome == Outcome::loss) {
            ++summary.losses;
        } else {
            ++summary.draws;
        }
    }
    return true;
}

Correspondence compare_with_nineteen(const EndgameTables& nineteen, const PerfectSet& set) {
    Correspondence c;
    uint8_t sq[33];
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        for (int i = 0; i < TABLE_LAYOUTS[t].size; ++i) {
            if (!position_of_entry(t, i, sq)) continue;
            ++c.positions;
            const int8_t old = nineteen.at(t, i);
            const uint8_t expected = old == LOST_NOW ? PERFECT_LOST_NOW
                                     : old > 0       ? win_byte(old)
                                     : old < 0       ? loss_byte(-old)
                                                     : PERFECT_DRAW;
            const bool parity_fits = old <= 0 || old % 2 == 1;
            const bool loss_parity = old >= 0 || old == LOST_NOW || (-old) % 2 == 0;
            const Material m = material_on(sq, WHITE);
            const uint8_t now = set.has(m) ? set.value(sq, WHITE) : 0xFF;
            if (parity_fits && loss_parity && now == expected) {
                ++c.same;
                continue;
            }
            if (++c.other == 1)
                c.first_other = std::string(TABLE_LAYOUTS[t].name) + " index " + std::to_string(i) +
                                " (" + write_fen(sq, WHITE) + "): " + std::to_string(old) +
                                " against a " + words(now);
        }
    }
    return c;
}

}  // namespace qv
