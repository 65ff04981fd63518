#include "board/data_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "board/file_io.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

// A file every build writes beside the executables: its presence there means a portable
// folder.
constexpr const char* PORTABLE_MARK = "hashkey33.dat";
// The shipped defaults the person edits; each gets a copy in the person's folder.
constexpr const char* USER_DEFAULTS[] = {"joueurs.dat", "points.dat", "ouvert_b.ouv",
                                         "ouvert_n.ouv"};
// The largest of them that is copied (opening lists stay far below).
constexpr size_t MAX_DEFAULT_BYTES = 1 << 20;

fs::path& shipped_storage() {
    static fs::path dir = fs::current_path();
    return dir;
}
fs::path& user_storage() {
    static fs::path dir = fs::current_path();
    return dir;
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Takes "NAME VALUE" out of argv; the value, or nullptr when the pair is absent.
const char* take_option(int& argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) != 0) continue;
        const char* value = argv[i + 1];
        for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
        argc -= 2;
        return value;
    }
    return nullptr;
}

bool writable(const fs::path& dir) {
    return ::access(dir.c_str(), W_OK) == 0;
}

fs::path default_user_dir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "quorvel";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    return home && *home ? fs::path(home) / ".local" / "share" / "quorvel" : fs::path();
}

// Makes `dir` and the missing folders above it, each readable by its owner only.
bool make_private_dirs(const fs::path& dir) {
    std::error_code ec;
    if (dir.empty()) return false;
    if (fs::is_directory(dir, ec)) return true;
    const fs::path parent = dir.parent_path();
    if (parent != dir && !parent.empty() && !make_private_dirs(parent)) return false;
    if (!fs::create_directory(dir, ec)) return fs::is_directory(dir, ec);
    fs::permissions(dir, fs::perms::owner_all, ec);
    return !ec;
}

bool portable() {
    return user_dir() == program_dir();
}

}  // namespace

const fs::path& program_dir() {
    return shipped_storage();
}
const fs::path& user_dir() {
    return user_storage();
}
void set_program_dir(const fs::path& dir) {
    shipped_storage() = dir;
    user_storage() = dir;
}
void set_user_dir(const fs::path& dir) {
    user_storage() = dir;
}

void init_program_dir(int& argc, char** argv) {
    const char* data = take_option(argc, argv, "--data-dir");
    const char* user = take_option(argc, argv, "--user-dir");
    std::error_code ec;
    fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (ec && argc > 0) exe = fs::absolute(argv[0], ec);
    locate_data_dirs(exe, data, user);
}

void locate_data_dirs(const fs::path& exe, const char* data_option, const char* user_option) {
    std::error_code ec;
    fs::path shipped = exe.parent_path();
    bool may_write = true;  // a folder named or beside the executable: portable if writable
    if (data_option) {
        shipped = fs::absolute(data_option, ec);
    } else if (!fs::exists(find_file(shipped, PORTABLE_MARK), ec)) {
        may_write = false;
        for (const char* share : {"../share/quorvel", "../share/games/quorvel"}) {
            const fs::path installed = (exe.parent_path() / share).lexically_normal();
            if (fs::is_directory(installed, ec)) {
                shipped = installed;
                break;
            }
        }
    }
    set_program_dir(shipped);
    if (user_option)
        set_user_dir(fs::absolute(user_option, ec));
    else if (!may_write || !writable(shipped))
        set_user_dir(default_user_dir());
}

bool prepare_user_dir(std::vector<std::string>& missing) {
    missing.clear();
    if (portable()) return true;
    if (!make_private_dirs(user_dir()) || !writable(user_dir())) return false;
    std::error_code ec;
    for (const char* name : USER_DEFAULTS) {
        if (fs::exists(find_file(user_dir(), name), ec)) continue;
        const fs::path shipped = find_file(program_dir(), name);
        std::string bytes;
        if (!fs::exists(shipped, ec) || !read_file_prefix(shipped, MAX_DEFAULT_BYTES, bytes)) {
            missing.push_back(name);
            continue;
        }
        if (!write_file_atomic(user_dir() / name, bytes)) return false;
    }
    return true;
}

fs::path find_file(const fs::path& base, std::string_view relative) {
    fs::path exact = base / fs::path(relative);
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    fs::path current = base;
    for (const auto& part : fs::path(relative)) {
        fs::path next = current / part;
        if (!fs::exists(next, ec) && fs::is_directory(current, ec)) {
            for (const auto& entry : fs::directory_iterator(current, ec)) {
                if (same_ignoring_case(entry.path().filename().string(), part.string())) {
                    next = entry.path();
                    break;
                }
            }
        }
        current = next;
    }
    return fs::exists(current, ec) ? current : exact;
}

fs::path folder_holding(std::string_view relative) {
    std::error_code ec;
    if (portable() || fs::exists(find_file(user_dir(), relative), ec)) return user_dir();
    return fs::exists(find_file(program_dir(), relative), ec) ? program_dir() : user_dir();
}

fs::path data_path(std::string_view relative) {
    return find_file(folder_holding(relative), relative);
}

fs::path user_path(std::string_view relative) {
    return find_file(user_dir(), relative);
}

fs::path user_folder(std::string_view name) {
    const fs::path dir = user_path(name);
    std::error_code ignored;
    fs::create_directories(dir, ignored);
    return dir;
}

}  // namespace qv
