// The position table ("ital.dat") and learning files (".dal"): bytes of any other length
// are refused and leave the table as it was; a whole table is taken in entry for entry and
// writes back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "search/position_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(allocate_position_table());
    if (size != POSITION_TABLE_BYTES) {
        const uint32_t index = size * 2654435761u;
        const PositionEntry* before = probe_position(index, 0);
        const PositionEntry kept = before ? *before : PositionEntry{};
        FUZZ_CHECK(!position_table_from_bytes(bytes));
        const PositionEntry* after = probe_position(index, 0);
        FUZZ_CHECK((before == nullptr) == (after == nullptr));
        if (after) FUZZ_CHECK(after->score == kept.score);
        return 0;
    }
    FUZZ_CHECK(position_table_from_bytes(bytes));
    FUZZ_CHECK(position_table_bytes() == bytes);
    // Entries are found by their lock at their index.
    for (size_t at = 0; at + 8 <= size; at += 8 * 4099) {
        uint32_t lock;
        std::memcpy(&lock, data + at, 4);
        const PositionEntry* e = probe_position(static_cast<uint32_t>(at / 8), lock);
        FUZZ_CHECK(e != nullptr && e->lock == lock);
    }
    return 0;
}
