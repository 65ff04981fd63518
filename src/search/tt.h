// Position keys and the transposition table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// One slot. Not a file format, but the table's size steps assume 12 bytes.
struct TtEntry {
    uint32_t lock = 0;
    int16_t score = 0;
    uint8_t from = 0;
    uint8_t to = 0;
    uint8_t kind = 0;  // 0 empty, else a kind byte (tt_kind below)
    uint8_t absolute_ply = 0;
    uint8_t absolute_horizon = 0;
    uint8_t unused = 0;
};
static_assert(sizeof(TtEntry) == 12);
static_assert(offsetof(TtEntry, score) == 4 && offsetof(TtEntry, kind) == 8);

// An entry's kind byte says which node stored it and what its score is worth: the kind
// code below plus r, the storing search's root side (0 White, 1 Black). A maximising node
// has the root side to move, a minimising node its opponent. Scores and bounds are from the
// storing root side's view.
enum class TtNode : uint8_t { max, min };
enum class TtBound : uint8_t {
    exact,
    lower,    // the value is at least the score (a cut-off, or all moves failed high)
    upper,    // the value is at most the score
    decided,  // a won or lost result, exact
};

inline constexpr int KIND_MAX_EXACT = 1;
inline constexpr int KIND_MAX_LOWER = 3;  // cut-off at a maximising node
inline constexpr int KIND_MAX_UPPER = 5;  // all moves failed low
inline constexpr int KIND_MIN_EXACT = 51;
inline constexpr int KIND_MIN_UPPER = 53;  // cut-off at a minimising node
inline constexpr int KIND_MIN_LOWER = 55;  // all moves failed high
inline constexpr int KIND_MAX_DECIDED = 100;
inline constexpr int KIND_MIN_DECIDED = 150;

// The kind byte of an entry stored by `node` in a search from root side `root`.
inline constexpr int tt_kind(TtNode node, TtBound bound, int root) {
    const bool max = node == TtNode::max;
    switch (bound) {
        case TtBound::exact:
            return (max ? KIND_MAX_EXACT : KIND_MIN_EXACT) + root;
        case TtBound::lower:
            return (max ? KIND_MAX_LOWER : KIND_MIN_LOWER) + root;
        case TtBound::upper:
            return (max ? KIND_MAX_UPPER : KIND_MIN_UPPER) + root;
        case TtBound::decided:
            break;
    }
    return (max ? KIND_MAX_DECIDED : KIND_MIN_DECIDED) + root;
}

struct TtKind {
    TtNode node;
    TtBound bound;
    int root;
};
// The meaning of a kind byte written by tt_kind (not 0).
inline constexpr TtKind decode_kind(int kind) {
    if (kind >= KIND_MIN_DECIDED) return {TtNode::min, TtBound::decided, kind - KIND_MIN_DECIDED};
    if (kind >= KIND_MAX_DECIDED) return {TtNode::max, TtBound::decided, kind - KIND_MAX_DECIDED};
    const bool max = kind < KIND_MIN_EXACT;
    const int code = kind - (max ? KIND_MAX_EXACT : KIND_MIN_EXACT);  // 0..5
    const int root = code % 2;
    switch (code / 2) {
        case 0:
            return {max ? TtNode::max : TtNode::min, TtBound::exact, root};
        case 1:
            return {max ? TtNode::max : TtNode::min, max ? TtBound::lower : TtBound::upper, root};
        default:
            return {max ? TtNode::max : TtNode::min, max ? TtBound::upper : TtBound::lower, root};
    }
}
static_assert(decode_kind(tt_kind(TtNode::min, TtBound::lower, 1)).bound == TtBound::lower);
static_assert(decode_kind(tt_kind(TtNode::max, TtBound::upper, 1)).root == 1);

inline constexpr int32_t TABLE_UNIT_BYTES = 1572864;  // S units of 1/100 of this
inline constexpr int16_t LARGEST_SIZE = 2500;         // the start-up block holds 25 units
inline constexpr int ENTRIES_PER_UNIT = 1310;

// 2^64 / n rounded up: with it, tt_slot takes a remainder by n without a division.
inline constexpr uint64_t reciprocal_of(uint32_t n) {
    return UINT64_C(0xFFFFFFFFFFFFFFFF) / n + 1;
}

struct HashState {
    uint32_t index_key_table[165] = {};  // redrawn by a size step, for this table only
    uint32_t lock_key_table[165] = {};
    // The index keys as read from "hashkey33.dat", whatever the size: the position table
    // and the learning files are keyed with these, so that what was learnt is found again
    // after a size change and in the next run.
    uint32_t position_key_table[165] = {};
    uint32_t index_key = 0;
    uint32_t lock_key = 0;
    uint32_t position_key = 0;  // the position table's index key (side to move not added)
    TtEntry* table = nullptr;
    size_t block_entries = 0;  // room in the block obtained
    int16_t size_setting = 100;
    int ply_allowance = 2;
    uint32_t entry_count = 100 * ENTRIES_PER_UNIT;
    uint64_t entry_reciprocal = reciprocal_of(100 * ENTRIES_PER_UNIT);  // see tt_slot
};
extern HashState hash_state;

// Start-up: the table block (largest size) and the position table, then "hashkey33.dat"
// (generated keys, with a line on standard error, if it is missing or short).
// "Erreur allocation Hash tables" and exit status 1 when a block cannot be obtained.
void load_hash_keys();
// A size step: S and the ply allowance A; a fresh block of exactly that size, empty;
// new index keys in [0, N) for this table (the position keys stay).
void set_table_size(int16_t size, int allowance);
// The size read back from a saved game: the block is kept when it is large enough. A size
// outside 1..LARGEST_SIZE (a damaged file) becomes 100.
void restore_table_size(int16_t size);
void clear_table();
void release_tables();

void compute_keys();
inline void toggle_key(uint8_t code, int square) {
    hash_state.index_key ^= hash_state.index_key_table[code * 32 + square];
    hash_state.lock_key ^= hash_state.lock_key_table[code * 32 + square];
    hash_state.position_key ^= hash_state.position_key_table[code * 32 + square];
}

// Sets the number of entries in use (and the reciprocal that goes with it).
void set_entry_count(uint32_t n);

// index % entry_count, the slot of an index key, exact for every 32-bit index: the low
// 64 bits of index x reciprocal are the fraction index / n, and times n its remainder.
inline uint32_t tt_slot(uint32_t index) {
    const uint64_t fraction = hash_state.entry_reciprocal * index;
    return static_cast<uint32_t>(
        (static_cast<unsigned __int128>(fraction) * hash_state.entry_count) >> 64);
}

// Starts loading the slot of `index_key` into the cache.
inline void tt_prefetch(uint32_t index_key) {
    __builtin_prefetch(&hash_state.table[tt_slot(index_key)]);
}

// The entry for the current keys when it belongs to this position at this absolute ply
// and reaches the current horizon; nullptr otherwise.
const TtEntry* tt_probe(int p);
void tt_store(int16_t score, int p, int kind, uint8_t from, uint8_t to);

// Whether a node at ply p uses the table.
inline bool max_in_table_range(int p) {
    return p - hash_state.ply_allowance < 18;
}
inline bool min_in_table_range(int p) {
    return p - hash_state.ply_allowance < 17;
}

}  // namespace qv
