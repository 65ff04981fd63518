// Every kind of file the program rewrites, each with a way to save one of two versions of
// it: the kill-safety and refusal tests run over this table.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "eval/params.h"
#include "files/game_file.h"
#include "files/text_game.h"
#include "game/game_record.h"
#include "game/play_helpers.h"
#include "game/players.h"
#include "search/book.h"
#include "search/position_table.h"

namespace qv::test {

struct SaveKind {
    const char* name;  // the case name
    const char* file;  // the file the save writes, in the folder given
    // Saves version 0 or 1 into `dir`; false when the program reports failure.
    bool (*save)(int version, const std::filesystem::path& dir);
    bool reports_error;  // the writer itself raises "Impossible d'ouvrir ce fichier"
    // What the next start does with the folder before reading it (nullptr: nothing).
    void (*reopen)(const std::filesystem::path& dir) = nullptr;
};

// Failures name the kind, not its bytes.
// From one version to the other, Alice is deleted and Chloe added (or the reverse): a
// names file beside the other version's ratings gives Bernard a neighbour's rating.
inline PlayersTable players_version(int v) {
    return players_from_text(
        v ? "Quorvel\r\nBernard\r\nChloe\r\n" : "Quorvel\r\nAlice\r\nBernard\r\n",
        v ? "2061\r\n1600\r\n1700\r\n" : "2061\r\n1800\r\n1600\r\n");
}

// A game in hand to write; the versions differ by White's name and the minutes field.
inline void game_version(int v) {
    game.white_name = v ? "Alice" : "Bernadette-Marie";
    set_names(game.white_name, game.black_name);
}

inline std::string position_table_version(int v) {
    std::string bytes(POSITION_TABLE_BYTES, '\0');
    for (size_t i = 8 * 17; i < bytes.size(); i += 8 * 65537) bytes[i] = static_cast<char>(v + 1);
    return bytes;
}

inline const std::vector<SaveKind>& save_kinds() {
    namespace fs = std::filesystem;
    static const std::vector<SaveKind> kinds = {
        {"Players", "joueurs.dat",
         [](int v, const fs::path& d) { return write_players(d, players_version(v)); }, false,
         [](const fs::path& d) {
             PlayersTable t;
             read_players(d, t);
         }},
        {"Ratings", "points.dat",
         [](int v, const fs::path& d) { return write_ratings(d, players_version(v)); }, false},
        {"ResumeGame", RESUME_FILE,
         [](int v, const fs::path& d) {
             game_version(v);
             return quitter(d, v ? "7" : "3");
         },
         true},
        {"SavedGame", "partie.dam",
         [](int v, const fs::path& d) {
             game_version(v);
             return save(d / "partie.dam", v ? "7" : "3");
         },
         true},
        {"TextExport", "partie.txt",
         [](int v, const fs::path& d) {
             game_version(v);
             return write_text_game(d / "partie.txt");
         },
         true},
        {"PdnExport", "partie.pdn",
         [](int v, const fs::path& d) {
             game_version(v);
             return write_pdn(d / "partie.pdn", "2026.01.01");
         },
         true},
        {"Parameters", "essai.par",
         [](int v, const fs::path& d) {
             parameter_state.live.tempo_coef[0] = static_cast<int8_t>(v ? 9 : -9);
             return save_parameters(d / "essai.par");
         },
         true},
        {"OpeningList", "ouvert_b.ouv",
         [](int v, const fs::path& d) {
             book.lists[0] = v ? std::vector<std::string>{"21-17 ", "22-18 10-14 ", "23-19 "}
                               : std::vector<std::string>{"22-18 "};
             return save_book_list(0, (d / "ouvert_b.ouv").string());
         },
         false},
        {"PositionTable", "ital.dat",
         [](int v, const fs::path& d) {
             return position_table_from_bytes(position_table_version(v)) &&
                    save_position_table((d / "ital.dat").string());
         },
         false},
        {"LearningFile", "lecon.dal",
         [](int v, const fs::path& d) {
             return store_position(4242, 0xC0FFEEu, static_cast<int16_t>(v ? 750 : -750),
                                   (d / "lecon.dal").string());
         },
         false},
        {"BestMoves", "Bestmove.txt",
         [](int v, const fs::path& d) {
             const std::vector<std::string> lines =
                 v ? std::vector<std::string>{"Profondeur 7", "23-19 10-14", "22-18 11-15"}
                   : std::vector<std::string>{"Profondeur 3", "21-17"};
             return write_bestmove(d / "Bestmove.txt", lines);
         },
         true},
    };
    return kinds;
}

// The names of the files in `dir`, sorted.
inline std::vector<std::string> names_in(const std::filesystem::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// A game in hand of a few moves and a position table to save (each test process once).
inline void prepare_save_kinds() {
    fresh_game();
    play_pseudo_random(12, 7);
    allocate_position_table();
    clear_position_table();
}

}  // namespace qv::test
