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
    uint8_t kind = 0;  // 0 empty; kinds below
    uint8_t absolute_ply = 0;
    uint8_t absolute_horizon = 0;
    uint8_t unused = 0;
};
static_assert(sizeof(TtEntry) == 12);
static_assert(offsetof(TtEntry, score) == 4 && offsetof(TtEntry, kind) == 8);

// Kind codes, r = the storing search's root side.
inline constexpr int KIND_MAX_EXACT = 1;   // + r
inline constexpr int KIND_MAX_LOWER = 3;   // + r, cut-off at a maximising node
inline constexpr int KIND_MAX_UPPER = 5;   // + r, all moves failed low
inline constexpr int KIND_MIN_EXACT = 51;  // + r
inline constexpr int KIND_MIN_UPPER = 53;  // + r, cut-off at a minimising node
inline constexpr int KIND_MIN_LOWER = 55;  // + r
inline constexpr int KIND_MAX_DECIDED = 100;
inline constexpr int KIND_MIN_DECIDED = 150;

inline constexpr int32_t TABLE_UNIT_BYTES = 1572864;  // S units of 1/100 of this
inline constexpr int16_t LARGEST_SIZE = 2500;         // the start-up block holds 25 units
inline constexpr int ENTRIES_PER_UNIT = 1310;

struct HashState {
    uint32_t index_key_table[165] = {};
    uint32_t lock_key_table[165] = {};
    uint32_t index_key = 0;
    uint32_t lock_key = 0;
    TtEntry* table = nullptr;
    size_t block_entries = 0;  // room in the block obtained
    int16_t size_setting = 100;
    int ply_allowance = 2;
    uint32_t entry_count = 100 * ENTRIES_PER_UNIT;
};
extern HashState hash_state;

// Start-up: the table block (largest size) and the position table, then "hashkey33.dat"
// (generated keys, with a line on standard error, if it is missing or short).
// "Erreur allocation Hash tables" and exit status 1 when a block cannot be obtained.
void load_hash_keys();
// A size step: S and the ply allowance A; a fresh block of exactly that size, empty;
// new index keys in [0, N).
void set_table_size(int16_t size, int allowance);
// The size read back from a saved game: the block is kept when it is large enough.
void restore_table_size(int16_t size);
void clear_table();
void release_tables();

void compute_keys();
inline void toggle_key(uint8_t code, int square) {
    hash_state.index_key ^= hash_state.index_key_table[code * 32 + square];
    hash_state.lock_key ^= hash_state.lock_key_table[code * 32 + square];
}

// Starts loading the slot of the current keys into the cache.
inline void tt_prefetch() {
    __builtin_prefetch(&hash_state.table[hash_state.index_key % hash_state.entry_count]);
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
