// A perfect-play table on disk: one file per material, named after it ("mmkvk.qpt"), a
// 32-byte header followed by the entry bytes (perfect_index.h). Little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "eval/perfect_index.h"

namespace qv {

inline constexpr char PERFECT_FORMAT[8] = {'Q', 'V', 'P', 'T', 'B', 'L', '0', '1'};

struct PerfectHeader {
    char format[8];         // PERFECT_FORMAT
    uint8_t material[4];    // white men, white kings, black men, black kings (White to move)
    uint32_t entry_count;   // table_entries(material)
    uint32_t checksum;      // FNV-1a (32 bits) of the entry bytes
    uint16_t longest_win;   // plies, for the status listing
    uint16_t longest_loss;  // plies
    uint32_t solve_millis;  // time its solution took
    uint32_t reserved;      // 0
};
static_assert(sizeof(PerfectHeader) == 32);
static_assert(offsetof(PerfectHeader, entry_count) == 12);
static_assert(offsetof(PerfectHeader, checksum) == 16);
static_assert(offsetof(PerfectHeader, solve_millis) == 24);

uint32_t fnv1a(const uint8_t* bytes, size_t size);

// "mmkvk.qpt".
std::string perfect_file_name(const Material& m);

// Writes a table atomically (temporary file, sync, rename). False on any failure.
bool write_perfect_table(const std::filesystem::path& dir, const Material& m,
                         const std::vector<uint8_t>& entries, uint32_t solve_millis);

enum class TableFileState : uint8_t { ok, missing, bad_header, wrong_size, bad_checksum };

// Reads the table of `m` from `dir` into `entries` after checking its header, size and
// checksum; anything else leaves `entries` empty. `header` gets the header when readable.
TableFileState read_perfect_table(const std::filesystem::path& dir, const Material& m,
                                  std::vector<uint8_t>& entries, PerfectHeader* header = nullptr);
// Only the header (for a listing); ok when the header and the file length fit.
TableFileState read_perfect_header(const std::filesystem::path& dir, const Material& m,
                                   PerfectHeader& header);

}  // namespace qv
