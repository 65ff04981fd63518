#include "board/data_dir.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

namespace qv {

namespace fs = std::filesystem;

namespace {
fs::path& dir_storage() {
    static fs::path dir = fs::current_path();
    return dir;
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

const fs::path& program_dir() {
    return dir_storage();
}
void set_program_dir(const fs::path& dir) {
    dir_storage() = dir;
}

void init_program_dir(int& argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--data-dir") == 0) {
            set_program_dir(fs::absolute(argv[i + 1]));
            for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
            argc -= 2;
            return;
        }
    }
    std::error_code ec;
    fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (ec && argc > 0) exe = fs::absolute(argv[0], ec);
    if (!ec) set_program_dir(exe.parent_path());
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

fs::path data_path(std::string_view relative) {
    return find_file(program_dir(), relative);
}

}  // namespace qv
