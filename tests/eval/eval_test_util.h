// Positions for the evaluation tests, in internal square numbers.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "board/board.h"
#include "board/movegen.h"
#include "eval/evaluate.h"

namespace qv::test {

struct Pos {
    std::vector<int> white_men = {};
    std::vector<int> black_men = {};
    std::vector<int> white_kings = {};
    std::vector<int> black_kings = {};
};

// A position written in internal square numbers, a letter before each list: "w" white men,
// "b" black men, "W" white kings, "B" black kings ("w22,17 b18 B5").
inline Pos pos(std::string_view text) {
    Pos p;
    std::vector<int>* list = nullptr;
    int n = -1;
    for (const char c : std::string(text) + " ") {
        if (c >= '0' && c <= '9') {
            n = (n < 0 ? 0 : n * 10) + (c - '0');
            continue;
        }
        if (n >= 0 && list) list->push_back(n);
        n = -1;
        if (c == 'w') list = &p.white_men;
        if (c == 'b') list = &p.black_men;
        if (c == 'W') list = &p.white_kings;
        if (c == 'B') list = &p.black_kings;
    }
    return p;
}

inline void place(const Pos& p) {
    clear_board();
    for (int s : p.white_men) board[s] = WHITE_MAN;
    for (int s : p.black_men) board[s] = BLACK_MAN;
    for (int s : p.white_kings) board[s] = WHITE_KING;
    for (int s : p.black_kings) board[s] = BLACK_KING;
}

// Places `p`, prepares the evaluation for `side` and sets the ply.
inline void prepare(const Pos& p, int side, int ply) {
    place(p);
    prepare_evaluation(side);
    movegen.ply = static_cast<int8_t>(ply);
}

// The colour mirror of board: square s -> 33 - s, colours swapped.
inline void mirror_board() {
    uint8_t copy[33];
    for (int s = 0; s <= 32; ++s) copy[s] = board[s];
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = copy[33 - s];
        board[s] = c == EMPTY ? EMPTY : static_cast<uint8_t>(c > 2 ? c - 2 : c + 2);
    }
}

// A random position: up to `max_each` pieces a side, men never on their crowning row.
inline void random_position(std::mt19937& rng, int max_each) {
    clear_board();
    std::uniform_int_distribution<int> count(1, max_each), square(1, 32), coin(0, 3);
    for (int side = 0; side < 2; ++side) {
        const int n = count(rng);
        for (int i = 0; i < n; ++i) {
            const int s = square(rng);
            if (board[s] != EMPTY) continue;
            const bool king = coin(rng) == 0;
            const bool crowning_row = side == WHITE ? s <= 4 : s >= 29;
            if (side == WHITE)
                board[s] = king || crowning_row ? WHITE_KING : WHITE_MAN;
            else
                board[s] = king || crowning_row ? BLACK_KING : BLACK_MAN;
        }
    }
}

}  // namespace qv::test
