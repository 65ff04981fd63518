#include "eval/perfect_file.h"

#include <cstdio>
#include <cstring>

#include "board/file_io.h"

namespace qv {

namespace fs = std::filesystem;

uint32_t fnv1a(const uint8_t* bytes, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 16777619u;
    return h;
}

std::string perfect_file_name(const Material& m) {
    return material_name(m) + ".qpt";
}

namespace {

PerfectHeader header_for(const Material& m, const std::vector<uint8_t>& entries,
                         uint32_t solve_millis) {
    PerfectHeader h{};
    std::memcpy(h.format, PERFECT_FORMAT, sizeof h.format);
    h.material[0] = m.white_men;
    h.material[1] = m.white_kings;
    h.material[2] = m.black_men;
    h.material[3] = m.black_kings;
    h.entry_count = static_cast<uint32_t>(entries.size());
    h.checksum = fnv1a(entries.data(), entries.size());
    for (uint8_t v : entries) {
        const PerfectValue d = decode_value(v);
        if (d.outcome == Outcome::win && d.plies > h.longest_win) h.longest_win = d.plies;
        if (d.outcome == Outcome::loss && d.plies > h.longest_loss) h.longest_loss = d.plies;
    }
    h.solve_millis = solve_millis;
    return h;
}

bool header_fits(const PerfectHeader& h, const Material& m) {
    return std::memcmp(h.format, PERFECT_FORMAT, sizeof h.format) == 0 &&
           h.material[0] == m.white_men && h.material[1] == m.white_kings &&
           h.material[2] == m.black_men && h.material[3] == m.black_kings &&
           h.entry_count == table_entries(m);
}

}  // namespace

bool write_perfect_table(const fs::path& dir, const Material& m,
                         const std::vector<uint8_t>& entries, uint32_t solve_millis) {
    const PerfectHeader h = header_for(m, entries, solve_millis);
    std::string bytes(sizeof h + entries.size(), '\0');
    std::memcpy(bytes.data(), &h, sizeof h);
    std::memcpy(bytes.data() + sizeof h, entries.data(), entries.size());
    return write_file_atomic(dir / perfect_file_name(m), bytes);
}

TableFileState read_perfect_header(const fs::path& dir, const Material& m, PerfectHeader& header) {
    const fs::path path = dir / perfect_file_name(m);
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return TableFileState::missing;
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f) return TableFileState::missing;
    const bool read = std::fread(&header, sizeof header, 1, f) == 1;
    std::fclose(f);
    if (!read || !header_fits(header, m)) return TableFileState::bad_header;
    if (size != sizeof header + header.entry_count) return TableFileState::wrong_size;
    return TableFileState::ok;
}

TableFileState read_perfect_table(const fs::path& dir, const Material& m,
                                  std::vector<uint8_t>& entries, PerfectHeader* header) {
    entries.clear();
    PerfectHeader h{};
    const TableFileState state = read_perfect_header(dir, m, h);
    if (header) *header = h;
    if (state != TableFileState::ok) return state;
    std::FILE* f = std::fopen((dir / perfect_file_name(m)).string().c_str(), "rb");
    if (!f) return TableFileState::missing;
    std::vector<uint8_t> data(h.entry_count);
    const bool read = std::fseek(f, sizeof h, SEEK_SET) == 0 &&
                      std::fread(data.data(), 1, data.size(), f) == data.size();
    std::fclose(f);
    if (!read) return TableFileState::wrong_size;
    if (fnv1a(data.data(), data.size()) != h.checksum) return TableFileState::bad_checksum;
    entries = std::move(data);
    return TableFileState::ok;
}

}  // namespace qv
