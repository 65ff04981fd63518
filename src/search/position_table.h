// The position table ("ital.dat"): known scores of positions, read by the search and
// filled by learning. 131071 entries of 8 bytes, addressed by the position keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

inline constexpr uint32_t POSITION_ENTRIES = 131071;

struct PositionEntry {
    uint32_t lock = 0;
    int16_t score = 0;  // from the side to move's view; 0: no score
    uint8_t reserved[2] = {};
};
static_assert(sizeof(PositionEntry) == 8);
static_assert(offsetof(PositionEntry, score) == 4);
inline constexpr size_t POSITION_TABLE_BYTES = POSITION_ENTRIES * sizeof(PositionEntry);
static_assert(POSITION_TABLE_BYTES == 1048568);

// The block (obtained with the transposition table); false when it cannot be obtained.
bool allocate_position_table();
void release_position_table();
// Every entry zero.
void clear_position_table();

// The entry of (index key, lock key) when its lock matches; nullptr otherwise (also
// before the table exists). Callers add 1 to the index key when White is to move.
const PositionEntry* probe_position(uint32_t index_key, uint32_t lock_key);
// Starts loading the entry of `index_key` into the cache (the search calls it as soon as
// a child's keys are known).
void prefetch_position(uint32_t index_key);
// Writes lock and score unless the entry holds a decided score (30000 or more either
// way), then saves the whole table to `file` (false when it cannot be written).
bool store_position(uint32_t index_key, uint32_t lock_key, int16_t score, const std::string& file);

// Reads the whole table from `file`; false (table unchanged) when it cannot be read whole.
bool load_position_table(const std::string& file);
// The table from a file's bytes: false (table unchanged) unless they are exactly
// POSITION_TABLE_BYTES.
bool position_table_from_bytes(std::string_view bytes);
// The table as file bytes (all zero before the table exists).
std::string position_table_bytes();
// Writes the whole table to `file` through a temporary file and a rename.
bool save_position_table(const std::string& file);

}  // namespace qv
