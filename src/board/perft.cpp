#include "board/perft.h"

#include <array>
#include <cstring>
#include <memory>

#include "board/board.h"
#include "board/movegen.h"

namespace qv {

namespace {

// Subtrees of 2 to MAX_STORED plies below a node are kept: shallower ones cost less to
// count again than to look up, deeper ones are too few to matter.
constexpr int MAX_STORED = 9;
constexpr int TABLE_BITS = 16;  // 2^16 entries of 88 bytes: 5.8 MB for the walk

struct Stored {
    uint64_t key = 0;
    uint64_t counts[MAX_STORED + 1];  // moves generated 0..r plies below the node
};

constexpr uint64_t splitmix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A random number for each square and content (the low four bits of the square's byte).
constexpr auto SQUARE_KEYS = [] {
    std::array<std::array<uint64_t, 16>, 33> keys{};
    for (int s = 0; s < 33; ++s)
        for (int c = 0; c < 16; ++c) keys[s][c] = splitmix(static_cast<uint64_t>(s * 16 + c));
    return keys;
}();

// The position, the side to move and the plies still to count, as one key (never 0).
uint64_t node_key(int side, int remaining) {
    uint64_t k = splitmix(static_cast<uint64_t>(1000 + side * 64 + remaining));
    for (int s = 1; s <= 32; ++s) k ^= SQUARE_KEYS[s][board[s] & 15];
    return k | 1;
}

// Plays each of the n moves generated at this ply in turn, calls `child` one ply deeper,
// and puts board back after each.
template <class Child>
void for_each_move(int n, Child child) {
    const int p = movegen.ply;
    uint8_t saved[33];
    std::memcpy(saved, board, sizeof saved);
    const Move* list = move_lists[p];
    for (int i = 0; i < n; ++i) {
        play_move(list[i]);
        movegen.ply = static_cast<int8_t>(p + 1);
        child();
        movegen.ply = static_cast<int8_t>(p);
        std::memcpy(board, saved, sizeof saved);
    }
}

// counts[i] receives the moves generated i plies below this node; the last ply (i ==
// remaining) is counted without being generated. `table` may be null.
void walk(int remaining, int side, uint64_t counts[], Stored* table) {
    if (remaining == 0) {
        counts[0] += static_cast<uint64_t>(count_moves(side));
        return;
    }
    Stored* slot = nullptr;
    uint64_t key = 0;
    uint64_t sub[MAX_STORED + 1] = {};
    uint64_t* out = counts;
    if (table && remaining >= 2 && remaining <= MAX_STORED) {
        key = node_key(side, remaining);
        slot = &table[key >> (64 - TABLE_BITS)];
        if (slot->key == key) {
            for (int i = 0; i <= remaining; ++i) counts[i] += slot->counts[i];
            return;
        }
        out = sub;
    }
    const int n = generate(side);
    out[0] += static_cast<uint64_t>(n);
    for_each_move(n, [&] { walk(remaining - 1, 1 - side, out + 1, table); });
    if (slot) {
        slot->key = key;
        for (int i = 0; i <= remaining; ++i) {
            slot->counts[i] = sub[i];
            counts[i] += sub[i];
        }
    }
}

// Generates and plays every move down to the last ply.
void walk_plain(int remaining, int side, uint64_t counts[]) {
    const int n = generate(side);
    counts[0] += static_cast<uint64_t>(n);
    for_each_move(n, [&] {
        if (remaining > 0) walk_plain(remaining - 1, 1 - side, counts + 1);
    });
}

}  // namespace

void perft_all(int depth, int side, uint64_t counts[]) {
    // The table is worth its set-up only where subtrees are big enough to be stored.
    std::unique_ptr<Stored[]> table;
    if (depth > 3) table = std::make_unique<Stored[]>(size_t{1} << TABLE_BITS);
    walk(depth - 1, side, counts + 1, table.get());
}

void perft_plain(int depth, int side, uint64_t counts[]) {
    walk_plain(depth - 1, side, counts + 1);
}

uint64_t perft(int depth, int side) {
    uint64_t counts[MAX_PLY + 1] = {};
    perft_all(depth, side, counts);
    return counts[depth];
}

}  // namespace qv
