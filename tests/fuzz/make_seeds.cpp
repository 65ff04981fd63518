// Writes the seed corpus of every fuzz target from the program's own files and writers:
//   make_fuzz_seeds PROGRAM_DIR SOURCE_DIR OUT_DIR
// OUT_DIR/<target>/ gets the shipped and generated data files the reader is meant for, and
// files the program writes itself (game files, text and PDN exports, FEN of positions).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/fen.h"
#include "board/file_io.h"
#include "eval/egdb_tables.h"
#include "files/game_file.h"
#include "files/text_game.h"
#include "game/game_record.h"
#include "search/position_table.h"

namespace fs = std::filesystem;
using namespace qv;

namespace {

fs::path out_dir;
int written = 0;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot read %s\n", p.string().c_str());
        std::exit(1);
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path dir = out_dir / target;
    fs::create_directories(dir);
    if (!write_file_atomic(dir / name, bytes)) {
        std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", (dir / name).string().c_str());
        std::exit(1);
    }
    ++written;
}

// The games of the hand-written text seeds, loaded into the game in hand one after the
// other; `each` runs with every game loaded.
template <class Each>
void for_each_game(const fs::path& source, Each each) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(source / "tests/fuzz/corpus/text_reader")) {
        const std::string text = slurp(e.path());
        const int games = static_cast<int>(scan_text_games(text).size());
        for (int g = 0; g < games; ++g) {
            TextGame tg;
            TextProblem why;
            if (parse_text_game(text, g, tg, why) && load_text_game(tg, 0, why)) each(n++);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_fuzz_seeds PROGRAM_DIR SOURCE_DIR OUT_DIR\n");
        return 2;
    }
    const fs::path data = argv[1], source = argv[2];
    out_dir = argv[3];
    set_program_dir(data);

    // Games as the program writes them: game files, its text format, PDN, their positions.
    for_each_game(source, [&](int n) {
        const std::string id = std::to_string(n);
        seed("text_reader", "own" + id + ".txt", text_game_bytes());
        seed("text_reader", "export" + id + ".pdn", pdn_bytes("2026.01.01"));
        seed("game_file", "game" + id + ".dam", game_file_bytes());
        for (int p = 0; p <= game.last_ply; p += 3) {
            const PlyRecord& e = game.game_record[p];
            uint8_t squares[33];
            std::memcpy(squares, e.squares, sizeof squares);
            seed("fen", "game" + id + "_ply" + std::to_string(p) + ".fen",
                 write_fen(squares, p % 2));
        }
    });
    seed("fen", "start.fen", START_FEN);

    seed("params_file", "defaut.par", slurp(find_file(data, "Parametres/defaut.par")));
    seed("params_text", "defaut.txt", slurp(source / "data/params/defaut.txt"));
    for (const char* list : {"ouvert_b.ouv", "ouvert_n.ouv"})
        seed("openings", list, slurp(find_file(data, list)));
    seed("players", "shipped",
         slurp(find_file(data, "joueurs.dat")) + '\0' + slurp(find_file(data, "points.dat")));
    for (const auto& e : fs::directory_iterator(source / "data/themes"))
        if (e.path().extension() == ".theme")
            seed("style", e.path().filename().string(), slurp(e.path()));

    // Each endgame table behind a header naming it and a position of its material.
    for (int t = 0; t < ENDGAME_TABLE_COUNT; ++t) {
        const TableLayout& layout = TABLE_LAYOUTS[t];
        std::string header = {static_cast<char>(t), 0, 9, 14, 19, 24};
        const std::string file = slurp(find_file(data, layout.name));
        seed("egdb", layout.name, header + file);
        if (layout.size < 20000) seed("egdb", std::string(layout.name) + ".short", header + "x");
    }

    // The shipped position table, and one holding a few learned positions.
    std::string table = slurp(find_file(data, "ital.dat"));
    seed("position_table", "ital.dat", table);
    if (table.size() == POSITION_TABLE_BYTES) {
        for (uint32_t i = 1; i < POSITION_ENTRIES; i += 9973) {
            const uint32_t lock = i * 2654435761u;
            const auto score = static_cast<int16_t>(i % 2 ? 30000 : -1234);
            std::memcpy(table.data() + 8 * i, &lock, 4);
            std::memcpy(table.data() + 8 * i + 4, &score, 2);
        }
        seed("position_table", "learned.dal", table);
    }
    std::printf("make_fuzz_seeds: %d seeds in %s\n", written, out_dir.string().c_str());
    return 0;
}
