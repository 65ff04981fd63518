// A game file of any kind the program knows, chosen by its extension: ".dam" game files,
// ".txt" (and ".doc", ".damt") text games, ".pdn" tagged games.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "files/text_game.h"

namespace qv {

enum class GameFileKind { unknown, dam, text, pdn };
GameFileKind kind_of(const std::filesystem::path& path);

// Why a file could not be loaded; the CLI and the window word it.
enum class LoadFailure : uint8_t {
    none,
    unknown_kind,       // not .dam, .txt, .doc, .damt or .pdn
    cannot_open,        // the file cannot be read
    one_game_per_file,  // a game number other than 0 for a .dam file
    bad_game_file,      // `detail` says what the game file decoder found
    text,               // `text` says which game and why
};
struct LoadProblem {
    LoadFailure failure = LoadFailure::none;
    std::string detail;
    TextProblem text;
};

// Loads game `game_index` of a file (numbered from 0, as the choice list shows them) into
// the game in hand, which is left unchanged on failure.
bool load_any_game(const std::filesystem::path& path, int game_index, LoadProblem& why);
// Writes the game in hand in the file's kind (through a temporary file).
bool save_any_game(const std::filesystem::path& path, std::string& why);

}  // namespace qv
