#include "search/position_table.h"

#include <new>

#include "board/file_io.h"

namespace qv {

namespace {
PositionEntry* position_table = nullptr;

void put_entry(unsigned char* b, const PositionEntry& e) {
    for (int k = 0; k < 4; ++k) b[k] = static_cast<unsigned char>(e.lock >> (8 * k));
    const auto s = static_cast<uint16_t>(e.score);
    b[4] = static_cast<unsigned char>(s);
    b[5] = static_cast<unsigned char>(s >> 8);
    b[6] = e.reserved[0];
    b[7] = e.reserved[1];
}

PositionEntry get_entry(const unsigned char* b) {
    PositionEntry e;
    e.lock = b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24;
    e.score = static_cast<int16_t>(static_cast<uint16_t>(b[4] | b[5] << 8));
    e.reserved[0] = b[6];
    e.reserved[1] = b[7];
    return e;
}
}  // namespace

bool allocate_position_table() {
    if (!position_table) position_table = new (std::nothrow) PositionEntry[POSITION_ENTRIES];
    return position_table != nullptr;
}

void release_position_table() {
    delete[] position_table;
    position_table = nullptr;
}

void clear_position_table() {
    if (!position_table) return;
    for (uint32_t i = 0; i < POSITION_ENTRIES; ++i) position_table[i] = PositionEntry{};
}

const PositionEntry* probe_position(uint32_t index_key, uint32_t lock_key) {
    if (!position_table) return nullptr;
    const PositionEntry& e = position_table[index_key % POSITION_ENTRIES];
    return e.lock == lock_key ? &e : nullptr;
}

void prefetch_position(uint32_t index_key) {
    if (position_table) __builtin_prefetch(&position_table[index_key % POSITION_ENTRIES]);
}

bool store_position(uint32_t index_key, uint32_t lock_key, int16_t score, const std::string& file) {
    if (!allocate_position_table()) return false;
    PositionEntry& e = position_table[index_key % POSITION_ENTRIES];
    if (e.score > -30000 && e.score < 30000) {
        e.lock = lock_key;
        e.score = score;
    }
    return save_position_table(file);
}

bool position_table_from_bytes(std::string_view bytes) {
    if (bytes.size() != POSITION_TABLE_BYTES || !allocate_position_table()) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    for (uint32_t i = 0; i < POSITION_ENTRIES; ++i) position_table[i] = get_entry(b + 8 * i);
    return true;
}

bool load_position_table(const std::string& file) {
    if (!allocate_position_table()) return false;
    std::string bytes;
    return read_file_prefix(file, POSITION_TABLE_BYTES + 1, bytes) &&
           position_table_from_bytes(bytes);
}

std::string position_table_bytes() {
    std::string bytes(POSITION_TABLE_BYTES, '\0');
    if (position_table) {
        auto* b = reinterpret_cast<unsigned char*>(bytes.data());
        for (uint32_t i = 0; i < POSITION_ENTRIES; ++i) put_entry(b + 8 * i, position_table[i]);
    }
    return bytes;
}

bool save_position_table(const std::string& file) {
    return position_table && write_file_atomic(file, position_table_bytes());
}

}  // namespace qv
