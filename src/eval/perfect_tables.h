// The perfect-play tables in memory and the search's probe into them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "eval/perfect_file.h"
#include "eval/perfect_index.h"

namespace qv {

// Tables by material key; an empty vector is a table not in memory.
struct PerfectSet {
    std::vector<uint8_t> tables[MATERIAL_KEYS];

    bool has(const Material& m) const { return !tables[material_key(m)].empty(); }
    // The byte of the position on `squares` with `mover` to move; its table must be held.
    uint8_t value(const uint8_t squares[33], int mover) const {
        return tables[material_key(material_on(squares, mover))][perfect_index(squares, mover)];
    }
};

// Where the tables are looked for: the ones made with the program (four pieces or fewer)
// and the ones the user makes (five pieces).
std::filesystem::path program_tables_dir();
std::filesystem::path user_tables_dir();

// Every material of the tables, fewest pieces first.
std::vector<Material> all_materials();

// The probe: true with the byte of the position on `squares` (`mover` to move) when its
// material has a table that can be read. A table is read from disk at its first probe
// (once per run; a missing or damaged file is not tried again).
bool probe_perfect(const uint8_t squares[33], int mover, uint8_t& value);

// The search's probe on board at `ply`: the score from the root side's view. Answers
// nothing while perfect_search_enabled is false (a match of the search without them).
bool probe_perfect_score(int root_side, int ply, int16_t& score);
extern bool perfect_search_enabled;

// Drops every table held and forgets which were missing (the next probes read again).
void forget_perfect_tables();

// What the tables say a move gave away (none when they do not hold the position or the
// move keeps its value): the verdict for `mover`'s move from `before` to `after`.
enum class TableVerdict : uint8_t { none, win_to_draw, win_to_loss, draw_to_loss };
TableVerdict table_verdict(const uint8_t before[33], int mover, const uint8_t after[33]);

// What the probe finds for a material: state of its file, and its header when readable.
struct TableStatus {
    Material material;
    TableFileState state = TableFileState::missing;
    std::filesystem::path dir;  // where it was found (or the user folder for five pieces)
    PerfectHeader header{};
};
TableStatus table_status(const Material& m);

}  // namespace qv
