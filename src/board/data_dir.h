// Where the program's data lives: its own directory (beside the executable) unless the
// command line names another. File names are matched case-insensitively, because the
// data names mix cases ("1pba.BMP", "Ouvert_b.ouv") that other systems wrote loosely.
#pragma once

#include <filesystem>
#include <string_view>

namespace qv {

// The program's directory. Until set, the current directory.
const std::filesystem::path& program_dir();
void set_program_dir(const std::filesystem::path& dir);

// Sets the program directory from argv[0] (the executable's folder), unless a
// "--data-dir DIR" pair is present in argv, which wins; that pair is then removed from
// argv and argc is updated.
void init_program_dir(int& argc, char** argv);

// `relative` (which may hold subfolders, "Parametres/defaut.par") resolved under `base`,
// each component matched exactly first, then case-insensitively. When nothing matches,
// the exact path under base is returned (so that a writer creates it with that name).
std::filesystem::path find_file(const std::filesystem::path& base, std::string_view relative);
// The same under the program's directory.
std::filesystem::path data_path(std::string_view relative);

}  // namespace qv
