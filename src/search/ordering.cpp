// Move ordering for the search, run by the generator at the end of each list.
#include "search/search.h"

namespace qv {

namespace {

bool same_as_pv(const Move& m, const Move& pv) {
    if (m.from != pv.from || m.to != pv.to) return false;
    for (int k = 0; k + 1 < m.captures; ++k)
        if (m.taken[k] != pv.taken[k]) return false;
    return true;
}

}  // namespace

void search_ordering_hook(Move* list, int count, bool captures) {
    const int p = movegen.ply;
    const bool deep_enough = p < search.iteration_depth - 2;
    if (captures) {
        if (count <= 1) return;
        if (search.pv_ordering) {
            const Move& pv = search.pv_table[1][p];
            for (int i = 0; i < count; ++i)
                list[i].order_key = static_cast<int16_t>(same_as_pv(list[i], pv) ? 100 : 80 - i);
            sort_moves(list, count);
        } else if (deep_enough) {
            killer_ordering(list, count, p);
        }
        return;
    }
    if (search.hash_from != 0 && deep_enough) {
        for (int i = 0; i < count; ++i)
            if (list[i].from == search.hash_from && list[i].to == search.hash_to)
                list[i].order_key = 255;
    }
    if (p >= 2 && count >= 2 && deep_enough) {
        killer_ordering(list, count, p);
        return;
    }
    if (p == 1) {
        for (int i = 0; i < count; ++i) {
            list[i].order_key = 0;
            for (int j = 0; j < MAX_MOVES && search.root_from[j] != 0; ++j)
                if (list[i].from == search.root_from[j] && list[i].to == search.root_to[j]) {
                    list[i].order_key = static_cast<int16_t>(search.root_score[j] - i);
                    break;
                }
        }
        sort_moves(list, count);
    }
}

}  // namespace qv
