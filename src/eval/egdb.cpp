// Loading the endgame tables and probing them from the search.
#include "eval/egdb.h"

#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "board/data_dir.h"
#include "eval/egdb_store.h"

namespace qv {

bool tables_loaded = false;
EndgameTables endgame_tables;

int load_tables_from(const std::filesystem::path& dir, EndgameTables& into) {
    int whole = 0;
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        const TableLayout& layout = TABLE_LAYOUTS[t];
        const std::filesystem::path path = find_file(dir, layout.name);
        int8_t* bytes = into.table(t);
        size_t got = 0;
        if (std::FILE* f = std::fopen(path.string().c_str(), "rb")) {
            got = std::fread(bytes, 1, static_cast<size_t>(layout.size), f);
            std::fclose(f);
        }
        if (got == static_cast<size_t>(layout.size)) {
            ++whole;
            continue;
        }
        std::memset(bytes, 0, static_cast<size_t>(layout.size));
        std::fprintf(stderr, "endgame table %s: %s; its positions will be scored as draws\n",
                     path.string().c_str(), got == 0 ? "missing or empty" : "too short");
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
