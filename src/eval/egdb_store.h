// The endgame tables in memory: one block holding the 19 files end to end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "eval/egdb_tables.h"

namespace qv {

struct EndgameTables {
    int8_t bytes[ENDGAME_TOTAL_BYTES] = {};

    int8_t at(int table, int index) const { return bytes[TABLE_LAYOUTS[table].offset + index]; }
    int8_t* table(int t) { return bytes + TABLE_LAYOUTS[t].offset; }
    const int8_t* table(int t) const { return bytes + TABLE_LAYOUTS[t].offset; }
};

// The files are headerless byte images laid end to end in load order.
static_assert(sizeof(EndgameTables) == ENDGAME_TOTAL_BYTES);

// The tables the search probes.
extern EndgameTables endgame_tables;

// Table t from a file's bytes. Bytes of any other length than the table's leave it all
// zero (every position a draw) and give false.
bool fill_table(int t, std::string_view bytes, EndgameTables& into);

// Reads the 19 files from `dir` into `into`. A file that is missing or shorter than its
// table leaves that table all zero (every position a draw) and is named on standard
// error. Returns the number of tables read whole.
int load_tables_from(const std::filesystem::path& dir, EndgameTables& into);

}  // namespace qv
