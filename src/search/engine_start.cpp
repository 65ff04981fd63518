#include "search/engine_start.h"

#include <cstdio>
#include <filesystem>

#include "board/data_dir.h"
#include "eval/egdb.h"
#include "eval/egdb_tables.h"
#include "eval/params.h"
#include "search/book.h"
#include "search/driver.h"
#include "search/position_table.h"
#include "search/tt.h"

namespace qv {

std::vector<std::string> missing_data_files() {
    std::vector<std::string> names = {"hashkey33.dat", "ital.dat", "Parametres/defaut.par",
                                      "ouvert_b.ouv", "ouvert_n.ouv"};
    for (const TableLayout& t : TABLE_LAYOUTS) names.push_back(t.name);
    std::vector<std::string> missing;
    std::error_code ec;
    for (const std::string& n : names)
        if (!std::filesystem::exists(data_path(n), ec)) missing.push_back(n);
    return missing;
}

void start_engine(bool with_endgame_tables) {
    static bool started = false;
    if (started) {
        clear_table();
        return;
    }
    started = true;
    load_hash_keys();
    load_book_lists();
    if (!load_position_table(data_path("ital.dat").string())) {
        std::fprintf(stderr, "ital.dat missing or short: empty position table\n");
        clear_position_table();
    }
    if (!load_default_parameters())
        std::fprintf(stderr, "Parametres/defaut.par missing or short: evaluation without it\n");
    install_search_hooks();
    if (with_endgame_tables) {
        tables_loaded = true;
        load_endgame_tables();
    }
}

}  // namespace qv
