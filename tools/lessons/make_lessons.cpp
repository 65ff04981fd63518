// Writes the shipped lessons and problems: every data/lessons/*.txt becomes a game file
// (".dam") and its commentary (".damt") in the program's Problemes folder.
//   make_lessons --sources DIR --out DIR [--stamp FILE]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "board/file_io.h"
#include "files/game_file.h"
#include "files/lesson_source.h"
#include "game/clocks.h"
#include "game/game_record.h"

namespace fs = std::filesystem;

namespace {

const char* reason(qv::LessonSourceError e) {
    using E = qv::LessonSourceError;
    switch (e) {
        case E::unknown_line:
            return "unknown line";
        case E::bad_kind:
            return "kind is neither lesson nor problem";
        case E::bad_goal:
            return "a problem needs goal win or draw, a lesson none";
        case E::bad_position:
            return "missing or unreadable position";
        case E::bad_move:
            return "unreadable move";
        case E::bad_show:
            return "show is not a ply of the line";
        case E::missing_text:
            return "French or English commentary missing";
        case E::missing_solution:
            return "a problem's French or English commentary has no [solution]";
        case E::none:
            break;
    }
    return "";
}

// The names written by the previous run, as its stamp lists them.
std::vector<std::string> previous_names(const fs::path& stamp) {
    std::string text;
    std::vector<std::string> names;
    if (stamp.empty() || !qv::read_file_prefix(stamp, 1 << 20, text)) return names;
    for (const std::string& line : qv::split_lines(text))
        if (!line.empty()) names.push_back(line);
    return names;
}

bool make_one(const fs::path& source, const fs::path& out) {
    std::string text;
    if (!qv::read_file_prefix(source, 1 << 20, text)) {
        std::fprintf(stderr, "%s: cannot read\n", source.string().c_str());
        return false;
    }
    qv::LessonSource src;
    qv::LessonSourceProblem problem;
    if (!qv::parse_lesson_source(text, src, problem)) {
        std::fprintf(stderr, "%s:%d: %s\n", source.string().c_str(), problem.line,
                     reason(problem.error));
        return false;
    }
    // Same settings for every file: default level, clocks at zero.
    qv::clocks = qv::ClockState{};
    qv::game = qv::GameState{};
    qv::TextProblem why;
    if (!qv::load_lesson_source(src, why)) {
        std::fprintf(stderr, "%s: move %d (%s) is not legal\n", source.string().c_str(),
                     why.move_number, why.text.c_str());
        return false;
    }
    const fs::path dam = out / (source.stem().string() + ".dam");
    fs::path commentary = dam;
    commentary += "t";
    if (!qv::write_game_file(dam) || !qv::write_file_atomic(commentary, qv::commentary_text(src))) {
        std::fprintf(stderr, "%s: cannot write\n", dam.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path sources, out, stamp;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--sources")) sources = argv[i + 1];
        if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
        if (!std::strcmp(argv[i], "--stamp")) stamp = argv[i + 1];
    }
    if (sources.empty() || out.empty()) {
        std::fprintf(stderr, "usage: make_lessons --sources DIR --out DIR [--stamp FILE]\n");
        return 2;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(sources, ec))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    int failed = 0;
    std::string written;
    std::vector<std::string> names;
    for (const auto& f : files) {
        if (!make_one(f, out)) ++failed;
        names.push_back(f.stem().string());
        written += names.back() + "\n";
    }
    if (failed) return 1;
    // Lessons whose source is gone leave the folder with it; other files stay.
    for (const std::string& old : previous_names(stamp)) {
        if (std::find(names.begin(), names.end(), old) != names.end()) continue;
        fs::remove(out / (old + ".dam"), ec);
        fs::remove(out / (old + ".damt"), ec);
    }
    if (!stamp.empty() && !qv::write_file_atomic(stamp, written)) return 1;
    std::printf("%zu lessons and problems written\n", files.size());
    return 0;
}
