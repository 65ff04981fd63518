// A game file of any kind the program knows, chosen by its extension: ".dam" game files,
// ".txt" (and ".doc", ".damt") text games, ".pdn" tagged games.
#pragma once

#include <filesystem>
#include <string>

namespace qv {

enum class GameFileKind { unknown, dam, text, pdn };
GameFileKind kind_of(const std::filesystem::path& path);

// Loads game `game_index` of a file into the game in hand (which is left unchanged on
// failure). `why` says what is wrong.
bool load_any_game(const std::filesystem::path& path, int game_index, std::string& why);
// Writes the game in hand in the file's kind (through a temporary file).
bool save_any_game(const std::filesystem::path& path, std::string& why);

}  // namespace qv
