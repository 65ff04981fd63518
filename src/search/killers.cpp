// Killer moves, best moves and the principal-variation table.
#include <cstring>

#include "search/search.h"

namespace qv {

namespace {

void set_empty(Move& m, int p) {
    m = Move{};
    m.order_key = p % 2 ? -INF_SCORE : INF_SCORE;
}

Move scored(const Move& move, int16_t score) {
    Move m = move;
    m.order_key = score;
    return m;
}

}  // namespace

void copy_pv(const Move& move, int p) {
    auto& row = search.pv_table[p];
    row[p] = move;
    int q = p + 1;
    if (p + 1 < PV_SIZE) {
        const auto& next = search.pv_table[p + 1];
        for (; q < PV_SIZE - 1 && next[q].from != 0; ++q) row[q] = next[q];
        search.pv_table[p + 1][p + 1].from = 0;
    }
    if (q < PV_SIZE) row[q].from = 0;
}

void update_killers(const Move& move, int16_t score, int p) {
    Move* k = search.killer_table[p];
    if (same_move(move, k[0])) return;
    const bool better1 = p % 2 ? score > k[0].order_key : score < k[0].order_key;
    const bool better2 = p % 2 ? score > k[1].order_key : score < k[1].order_key;
    if (better1) {
        k[1] = k[0];
        k[0] = scored(move, score);
    } else if (better2) {
        k[1] = scored(move, score);
    }
}

void note_best_move(const Move& move, int16_t score, int p) {
    if (!same_move(move, search.killer_table[p][0]))
        search.best_move_table[p] = scored(move, score);
}

void killer_ordering(Move* list, int count, int p) {
    bool matched = false;
    bool hash_seen = false;
    for (int k = 0; k <= 6 && !matched && !hash_seen && p - k > 0 && p + k < 35; k += 2) {
        const Move& k1 = search.killer_table[p - k][0];
        const Move& k2 = search.killer_table[p - k][1];
        const Move& bm = search.best_move_table[p + k];
        for (int i = 0; i < count; ++i) {
            if (list[i].order_key == 255)
                hash_seen = true;
            else
                list[i].order_key = static_cast<int16_t>(80 - i);
        }
        int hit = -1;
        if (list[0].captures == 0)
            for (int i = 0; i < count && hit < 0; ++i)
                if (list[i].order_key != 255 && same_move(list[i], k1))
                    hit = i, list[i].order_key = 250;
        for (int i = 0; i < count && hit < 0; ++i)
            if (list[i].order_key != 255 && same_move(list[i], k2))
                hit = i, list[i].order_key = 200;
        for (int i = 0; i < count && hit < 0; ++i)
            if (list[i].order_key != 255 && same_move(list[i], bm))
                hit = i, list[i].order_key = static_cast<int16_t>(150 - i);
        matched = hit >= 0;
    }
    sort_moves(list, count);
    for (int i = 0; i < count; ++i) list[i].order_key = 0;
}

void clear_killers() {
    for (int p = 1; p <= MAX_PLY; ++p) {
        set_empty(search.killer_table[p][0], p);
        set_empty(search.killer_table[p][1], p);
    }
}

void clear_best_moves() {
    for (int p = 1; p <= MAX_PLY; ++p) set_empty(search.best_move_table[p], p);
}

void seed_killers(int16_t score, int last_ply) {
    const auto& line = search.pv_table[1];
    int q = 1;
    for (; q <= last_ply && q < 35 && line[q].from != 0; ++q) {
        Move* k = search.killer_table[q];
        if (line[q].captures > 0) {
            set_empty(k[0], q);
        } else {
            k[0] = scored(line[q], static_cast<int16_t>(q % 2 ? score - 290 : score + 290));
        }
        set_empty(k[1], q);
    }
    for (; q < 35; ++q) {
        set_empty(search.killer_table[q][0], q);
        set_empty(search.killer_table[q][1], q);
    }
}

}  // namespace qv
