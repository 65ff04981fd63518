// Where the program's data lives. Two places: the shipped data (pictures, tables, default
// lists; read only once installed) and the person's own folder, where every file the
// program writes goes. Reads look in the person's folder first, then in the shipped data.
// In a build tree or an unpacked folder (data beside a writable executable) both places
// are that folder. File names are matched case-insensitively, because the data names mix
// cases ("1pba.BMP", "Ouvert_b.ouv") that other systems wrote loosely.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The shipped data. Until set, the current directory.
const std::filesystem::path& program_dir();
// The person's folder: saved games, players, opening lists, parameter sets, last32.dam.
const std::filesystem::path& user_dir();
// Both places become `dir` (a portable folder, or a test's own folder).
void set_program_dir(const std::filesystem::path& dir);
void set_user_dir(const std::filesystem::path& dir);

// From argv: "--data-dir DIR" names the shipped data, else it is the executable's folder
// when the data sits there, else ../share/quorvel or ../share/games/quorvel from it.
// "--user-dir DIR" names the person's folder, else it is the shipped folder when that is
// beside the executable or named and writable, else $XDG_DATA_HOME/quorvel
// (~/.local/share/quorvel). Both pairs are removed from argv and argc is updated.
void init_program_dir(int& argc, char** argv);
// The same choice for a program at `exe`, with the two options' values (or nullptr).
void locate_data_dirs(const std::filesystem::path& exe, const char* data_option,
                      const char* user_option);

// Makes the person's folder (mode 0700) and copies into it the shipped defaults the person
// edits (players, ratings, opening lists) that it does not hold yet; an existing copy is
// never replaced. False when the folder cannot be made; `missing` gets the defaults that
// are in neither place.
bool prepare_user_dir(std::vector<std::string>& missing);

// `relative` (which may hold subfolders, "Parametres/defaut.par") resolved under `base`,
// each component matched exactly first, then case-insensitively. When nothing matches,
// the exact path under base is returned (so that a writer creates it with that name).
std::filesystem::path find_file(const std::filesystem::path& base, std::string_view relative);
// For reading: in the person's folder when it is there, else in the shipped data, else
// the path a writer would create in the person's folder.
std::filesystem::path data_path(std::string_view relative);
// The folder a read of `relative` uses (files that go together, the players and their
// ratings, are read from one place).
std::filesystem::path folder_holding(std::string_view relative);
// For writing: under the person's folder.
std::filesystem::path user_path(std::string_view relative);
// A subfolder of the person's folder ("Sauve", "Parametres"), made if missing.
std::filesystem::path user_folder(std::string_view name);

}  // namespace qv
