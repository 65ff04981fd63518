// The fixed sequence from which the position keys are drawn. The build tool writes it to
// "hashkey33.dat"; the engine falls back on it when that file is missing or short.
#pragma once

#include <cstdint>

namespace qv {

inline constexpr int KEY_ENTRIES = 165;  // piece code × 32 + square, codes 1..4
inline constexpr uint64_t KEY_SEED = 0x51A7D0E5C3B2A190ull;

// splitmix64: small, well mixed and identical on every platform.
struct KeyGenerator {
    uint64_t state = KEY_SEED;
    uint32_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
    }
};

// Fills both tables: the index table first, then the lock table, entry 0 first.
inline void generate_keys(uint32_t index_table[KEY_ENTRIES], uint32_t lock_table[KEY_ENTRIES]) {
    KeyGenerator g;
    for (int i = 0; i < KEY_ENTRIES; ++i) index_table[i] = g.next();
    for (int i = 0; i < KEY_ENTRIES; ++i) lock_table[i] = g.next();
}

}  // namespace qv
