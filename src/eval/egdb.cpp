// Loading the endgame tables and probing them from the search.
#include "eval/egdb.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/file_io.h"
#include "eval/egdb_store.h"

namespace qv {

bool tables_loaded = false;
EndgameTables endgame_tables;

bool fill_table(int t, std::string_view bytes, EndgameTables& into) {
    const auto size = static_cast<size_t>(TABLE_LAYOUTS[t].size);
    if (bytes.size() != size) {
        std::memset(into.table(t), 0, size);
        return false;
    }
    std::memcpy(into.table(t), bytes.data(), size);
    return true;
}

int load_tables_from(const std::filesystem::path& dir, EndgameTables& into) {
    int whole = 0;
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        const TableLayout& layout = TABLE_LAYOUTS[t];
        const std::filesystem::path path = find_file(dir, layout.name);
        std::string bytes;
        if (!read_file_prefix(path, static_cast<size_t>(layout.size), bytes)) bytes.clear();
        if (fill_table(t, bytes, into)) {
            ++whole;
            continue;
        }
        std::fprintf(stderr, "endgame table %s: %s; its positions will be scored as draws\n",
                     path.string().c_str(), bytes.empty() ? "missing or empty" : "too short");
    }
    return whole;
}

void load_endgame_tables() {
    load_tables_from(program_dir(), endgame_tables);
}

bool probe_endgame(int root_side, int ply, int16_t& score) {
    if (!tables_loaded) {
        tables_loaded = true;
        load_endgame_tables();
    }
    const bool odd = (ply & 1) != 0;
    const int mover = odd ? root_side : 1 - root_side;
    TableEntry e;
    if (!locate_position(board, mover, e)) return false;
    const int16_t s = endgame_score(endgame_tables.at(e.table, e.index), ply);
    score = odd ? s : static_cast<int16_t>(-s);
    return true;
}

}  // namespace qv
