// Every legal table position is a node; its edges are White's legal moves (the position
// after a move is read back, Black to move, through the same mirror the probe uses).
// Positions without a move are lost at once, positions with a move that takes the last
// black piece are won in 1. From these, a breadth-first walk backwards over the edges
// settles the rest in order of length: a node with a successor lost in d is won in d + 1
// (first found, so the shortest win); a node whose last unsettled successor is won in d
// is lost in d + 1 (the longest resistance). Nodes never settled are draws.
#include "solve.h"

#include <cstdint>
#include <vector>

#include "board/board.h"
#include "eval/egdb_moves.h"

namespace qv::egdb {

namespace {

constexpr int16_t UNSETTLED = INT16_MIN;

struct Graph {
    std::vector<uint8_t> legal;        // per node
    std::vector<uint8_t> open_edges;   // per node: successors not yet known to be won
    std::vector<uint32_t> pred_start;  // per node + 1
    std::vector<uint32_t> preds;       // predecessors, grouped by successor
    std::vector<int16_t> value;        // plies to the end: > 0 won, <= 0 lost (0: now)
    std::vector<uint32_t> queue;       // settled nodes in order of length
};

inline uint32_t node_of(const TableEntry& e) {
    return static_cast<uint32_t>(TABLE_LAYOUTS[e.table].offset + e.index);
}

bool build(Graph& g, std::string& error) {
    const uint32_t n = ENDGAME_TOTAL_BYTES;
    g.legal.assign(n, 0);
    g.open_edges.assign(n, 0);
    g.value.assign(n, UNSETTLED);
    std::vector<uint32_t> succ_start(n + 1, 0);
    std::vector<uint32_t> succ;
    succ.reserve(12'000'000);
    std::vector<uint32_t> won_now;
    uint8_t squares[33];
    TableMove moves[MAX_MOVES];
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        const TableLayout& layout = TABLE_LAYOUTS[t];
        for (int i = 0; i < layout.size; ++i) {
            const uint32_t u = static_cast<uint32_t>(layout.offset + i);
            succ_start[u] = static_cast<uint32_t>(succ.size());
            if (!position_of_entry(t, i, squares)) continue;
            TableEntry self;
            if (!locate_position(squares, WHITE, self) || self.table != t || self.index != i) {
                error = std::string(layout.name) + ": entry " + std::to_string(i) +
                        " does not read back at its own index";
                return false;
            }
            g.legal[u] = 1;
            const int count = table_moves(squares, moves);
            if (count < 0) {
                error = std::string(layout.name) + ": entry " + std::to_string(i) +
                        " has a move out of the tables";
                return false;
            }
            if (count == 0) {
                g.value[u] = 0;
                g.queue.push_back(u);
                continue;
            }
            bool wins_now = false;
            for (int k = 0; k < count; ++k) {
                if (moves[k].wipes_out)
                    wins_now = true;
                else
                    succ.push_back(node_of(moves[k].entry));
            }
            g.open_edges[u] = static_cast<uint8_t>(succ.size() - succ_start[u]);
            if (wins_now) won_now.push_back(u);
        }
    }
    succ_start[n] = static_cast<uint32_t>(succ.size());
    // Nodes lost now (length 0) are queued; those won in 1 follow them.
    for (uint32_t u : won_now) {
        g.value[u] = 1;
        g.queue.push_back(u);
    }
    // Reverse the edges.
    g.pred_start.assign(n + 1, 0);
    for (uint32_t v : succ) {
        if (!g.legal[v]) {
            error = "a move leads to an index that holds no legal position";
            return false;
        }
        ++g.pred_start[v + 1];
    }
    for (uint32_t v = 0; v < n; ++v) g.pred_start[v + 1] += g.pred_start[v];
    g.preds.resize(succ.size());
    std::vector<uint32_t> fill(g.pred_start.begin(), g.pred_start.end() - 1);
    for (uint32_t u = 0; u < n; ++u)
        for (uint32_t k = succ_start[u]; k < succ_start[u + 1]; ++k) g.preds[fill[succ[k]]++] = u;
    return true;
}

void settle(Graph& g) {
    for (size_t head = 0; head < g.queue.size(); ++head) {
        const uint32_t v = g.queue[head];
        const int16_t length = g.value[v];
        const bool lost = length <= 0;
        const int16_t next = static_cast<int16_t>((lost ? -length : length) + 1);
        for (uint32_t k = g.pred_start[v]; k < g.pred_start[v + 1]; ++k) {
            const uint32_t u = g.preds[k];
            if (g.value[u] != UNSETTLED) continue;
            if (lost) {
                g.value[u] = next;  // a move into a lost position
            } else if (--g.open_edges[u] == 0) {
                g.value[u] = static_cast<int16_t>(-next);  // every move into a won one
            } else {
                continue;
            }
            g.queue.push_back(u);
        }
    }
}

}  // namespace

bool solve_all(EndgameTables& out, std::string& error) {
    Graph g;
    if (!build(g, error)) return false;
    settle(g);
    for (uint32_t u = 0; u < ENDGAME_TOTAL_BYTES; ++u) {
        const int16_t v = g.value[u];
        int8_t byte = 0;
        if (!g.legal[u] || v == UNSETTLED) {
            byte = 0;
        } else if (v == 0) {
            byte = LOST_NOW;
        } else if (v > 127 || v < -127) {
            error = "a game of " + std::to_string(v > 0 ? v : -v) + " plies does not fit a byte";
            return false;
        } else {
            byte = static_cast<int8_t>(v);
        }
        out.bytes[u] = byte;
    }
    return true;
}

}  // namespace qv::egdb
