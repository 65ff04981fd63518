#include "search/tt.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <random>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/host.h"
#include "eval/evaluate.h"
#include "search/key_generator.h"
#include "search/position_table.h"
#include "search/search_state.h"

namespace qv {

HashState hash_state;

namespace {

// The generator behind the index keys of a size change (31-bit values, fixed seed).
std::minstd_rand size_random;

[[noreturn]] void allocation_failed() {
    host().report_fatal(Msg::HASH_TABLES_ALLOCATION);
    std::exit(1);
}

void obtain_block(size_t entries) {
    delete[] hash_state.table;
    hash_state.table = new (std::nothrow) TtEntry[entries];
    if (!hash_state.table) allocation_failed();
    hash_state.block_entries = entries;
}

size_t entries_in_bytes(int16_t size) {
    return static_cast<size_t>(static_cast<int64_t>(size) * TABLE_UNIT_BYTES / 100) /
           sizeof(TtEntry);
}

bool is_exact(int kind) {
    return decode_kind(kind).bound == TtBound::exact;
}

bool is_decided(int kind) {
    return decode_kind(kind).bound == TtBound::decided;
}

int total_pieces() {
    const auto& n = eval_state.piece_count;
    return n[1] + n[2] + n[3] + n[4];
}

}  // namespace

void set_entry_count(uint32_t n) {
    hash_state.entry_count = n;
    hash_state.entry_reciprocal = reciprocal_of(n);
}

void load_hash_keys() {
    obtain_block(entries_in_bytes(LARGEST_SIZE));
    if (!allocate_position_table()) allocation_failed();
    set_entry_count(static_cast<uint32_t>(hash_state.size_setting) * ENTRIES_PER_UNIT);

    unsigned char bytes[1320];
    std::ifstream in(data_path("hashkey33.dat"), std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    if (in.gcount() != static_cast<std::streamsize>(sizeof bytes)) {
        std::fprintf(stderr, "hashkey33.dat missing or short: keys generated\n");
        generate_keys(hash_state.index_key_table, hash_state.lock_key_table);
    } else {
        // Little-endian words: the 165 index keys, then the 165 lock keys.
        auto word = [&](int i) {
            return bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                   static_cast<uint32_t>(bytes[4 * i + 3]) << 24;
        };
        for (int i = 0; i < 165; ++i) hash_state.index_key_table[i] = word(i);
        for (int i = 0; i < 165; ++i) hash_state.lock_key_table[i] = word(165 + i);
    }
    std::copy(std::begin(hash_state.index_key_table), std::end(hash_state.index_key_table),
              hash_state.position_key_table);
    clear_table();
}

void set_table_size(int16_t size, int allowance) {
    hash_state.size_setting = size;
    hash_state.ply_allowance = allowance;
    set_entry_count(static_cast<uint32_t>(size) * ENTRIES_PER_UNIT);
    obtain_block(entries_in_bytes(size));  // value-initialised: every entry empty
    std::uniform_int_distribution<uint32_t> pick(0, hash_state.entry_count - 1);
    for (int code = 1; code <= 4; ++code)
        for (int s = 0; s <= 32; ++s) hash_state.index_key_table[code * 32 + s] = pick(size_random);
}

void restore_table_size(int16_t size) {
    // A saved game can hold any number here: outside the sizes the start-up block covers,
    // the usual size.
    if (size <= 0 || size > LARGEST_SIZE) size = 100;
    hash_state.size_setting = size;
    set_entry_count(static_cast<uint32_t>(size) * ENTRIES_PER_UNIT);
    if (hash_state.entry_count > hash_state.block_entries) {
        obtain_block(entries_in_bytes(size));
    }
}

void clear_table() {
    if (!hash_state.table) return;
    for (uint32_t i = 0; i < hash_state.entry_count; ++i) hash_state.table[i].kind = 0;
}

void release_tables() {
    delete[] hash_state.table;
    hash_state.table = nullptr;
    hash_state.block_entries = 0;
    release_position_table();
}

void compute_keys() {
    hash_state.index_key = hash_state.lock_key = hash_state.position_key = 0;
    for (int s = 1; s <= 32; ++s)
        if (board[s] >= WHITE_MAN && board[s] <= BLACK_KING) toggle_key(board[s], s);
}

const TtEntry* tt_probe(int p) {
    const TtEntry& e = hash_state.table[tt_slot(hash_state.index_key)];
    if (e.kind == 0 || e.lock != hash_state.lock_key) return nullptr;
    if (e.absolute_ply != search.game_ply + p) return nullptr;
    if (e.absolute_horizon < search.game_ply + search.iteration_depth) return nullptr;
    return &e;
}

void tt_store(int16_t score, int p, int kind, uint8_t from, uint8_t to) {
    const int horizon = search.game_ply + search.iteration_depth;
    const int abs_ply = search.game_ply + p;
    if (horizon >= 255 || abs_ply > 255 || total_pieces() <= 3) return;
    TtEntry& e = hash_state.table[tt_slot(hash_state.index_key)];
    bool write;
    if (e.kind == 0 || (is_decided(kind) && !is_decided(e.kind)))
        write = true;
    else if (kind == e.kind && abs_ply < e.absolute_ply)
        write = true;
    else if (!is_decided(e.kind) && horizon > e.absolute_horizon)
        write = true;
    else if (!is_decided(e.kind) && !is_exact(e.kind) &&
             (horizon >= e.absolute_horizon ||
              (horizon >= e.absolute_horizon - 1 && is_exact(kind))))
        write = true;
    else
        write = !(e.absolute_horizon - 16 <= horizon && horizon <= e.absolute_horizon + 16);
    if (!write) return;
    e.lock = hash_state.lock_key;
    e.score = score;
    e.from = from;
    e.to = to;
    e.kind = static_cast<uint8_t>(kind);
    e.absolute_ply = static_cast<uint8_t>(abs_ply);
    e.absolute_horizon = static_cast<uint8_t>(horizon);
}

}  // namespace qv
