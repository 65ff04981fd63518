// A deliberately plain second implementation of the Italian capture rules, used to check
// the fast generator: enumerate every jump sequence of every piece, keep the longest,
// then prefer king captures, then most kings taken, then the kings met earliest, compared
// king by king.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/board.h"

namespace qv::test {

struct RefMove {
    int from = 0, to = 0;
    std::vector<int> taken;
    bool operator<(const RefMove& o) const {
        return std::tie(from, to, taken) < std::tie(o.from, o.to, o.taken);
    }
    bool operator==(const RefMove& o) const {
        return from == o.from && to == o.to && taken == o.taken;
    }
};

struct RefSequence {
    RefMove move;
    bool by_king = false;
    std::vector<int> king_jumps;  // 1-based jump of each king taken, in order
};

inline bool own_piece(uint8_t c, int side) {
    return side == WHITE ? is_white(c) : is_black(c);
}

inline void ref_jumps(std::array<uint8_t, 33>& b, int side, bool king, int s, RefSequence& cur,
                      std::vector<RefSequence>& out) {
    bool extended = false;
    for (int d = 0; d < 4; ++d) {
        if (!king && (side == WHITE ? d > 1 : d < 2)) continue;
        const int m = neighbour[d][s];
        if (m == 0) continue;
        const int l = neighbour[d][m];
        if (l == 0 || b[l] != EMPTY) continue;
        const uint8_t c = b[m];
        if (c == EMPTY || c == TAKEN || own_piece(c, side)) continue;
        if (!king && is_king(c)) continue;  // men never take kings
        b[m] = TAKEN;
        cur.move.taken.push_back(m);
        if (is_king(c)) cur.king_jumps.push_back(static_cast<int>(cur.move.taken.size()));
        // A man stops on its crowning row.
        const bool crowned = !king && (side == WHITE ? l <= 4 : l >= 29);
        if (crowned) {
            RefSequence done = cur;
            done.move.to = l;
            out.push_back(done);
        } else {
            ref_jumps(b, side, king, l, cur, out);
        }
        if (is_king(c)) cur.king_jumps.pop_back();
        cur.move.taken.pop_back();
        b[m] = c;
        extended = true;
    }
    if (!extended && !cur.move.taken.empty()) {
        RefSequence done = cur;
        done.move.to = s;
        out.push_back(done);
    }
}

// The legal moves of `side` on `b` (entry 0 ignored), sorted.
inline std::vector<RefMove> reference_moves(const uint8_t* squares, int side) {
    std::array<uint8_t, 33> b{};
    std::copy(squares, squares + 33, b.begin());
    b[0] = OFF_BOARD;
    std::vector<RefSequence> seqs;
    for (int s = 1; s <= 32; ++s) {
        if (!own_piece(b[s], side)) continue;
        const uint8_t code = b[s];
        b[s] = EMPTY;  // the start square counts as empty during the sequence
        RefSequence cur;
        cur.move.from = s;
        cur.by_king = is_king(code);
        ref_jumps(b, side, cur.by_king, s, cur, seqs);
        b[s] = code;
    }
    std::vector<RefMove> moves;
    if (!seqs.empty()) {
        auto keep = [&](auto pred) {
            std::vector<RefSequence> kept;
            for (auto& q : seqs)
                if (pred(q)) kept.push_back(q);
            seqs = kept;
        };
        size_t most = 0;
        for (auto& q : seqs) most = std::max(most, q.move.taken.size());
        keep([&](const RefSequence& q) { return q.move.taken.size() == most; });
        if (std::any_of(seqs.begin(), seqs.end(), [](auto& q) { return q.by_king; }))
            keep([](const RefSequence& q) { return q.by_king; });
        size_t kings = 0;
        for (auto& q : seqs) kings = std::max(kings, q.king_jumps.size());
        keep([&](const RefSequence& q) { return q.king_jumps.size() == kings; });
        // Same number of kings: the lexicographically smallest list of king jumps.
        std::vector<int> earliest = seqs.front().king_jumps;
        for (auto& q : seqs) earliest = std::min(earliest, q.king_jumps);
        keep([&](const RefSequence& q) { return q.king_jumps == earliest; });
        for (auto& q : seqs) moves.push_back(q.move);
    } else {
        for (int s = 1; s <= 32; ++s) {
            if (!own_piece(b[s], side)) continue;
            for (int d = 0; d < 4; ++d) {
                if (!is_king(b[s]) && (side == WHITE ? d > 1 : d < 2)) continue;
                const int t = neighbour[d][s];
                if (t != 0 && b[t] == EMPTY) moves.push_back({s, t, {}});
            }
        }
    }
    std::sort(moves.begin(), moves.end());
    return moves;
}

}  // namespace qv::test
