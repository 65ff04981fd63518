#include "files/lessons.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

#include "files/game_file.h"
#include "game/game_record.h"

namespace qv {

LessonWalk lesson_walk;

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::vector<std::filesystem::path> lesson_files(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string name = lower(it->path().filename().string());
        if (name.find(".damt") != std::string::npos) continue;  // a commentary
        if (name.size() > 4 && name.ends_with(".dam")) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

void start_lesson_walk(const std::filesystem::path& chosen) {
    lesson_walk.folder = chosen.parent_path();
    lesson_walk.current.clear();
    for (const auto& p : lesson_files(lesson_walk.folder))
        if (p.filename() == chosen.filename()) lesson_walk.current = p;
}

std::filesystem::path next_lesson() {
    const auto files = lesson_files(lesson_walk.folder);
    if (files.empty()) {
        lesson_walk.current.clear();
        return {};
    }
    auto it = lesson_walk.current.empty()
                  ? files.end()
                  : std::upper_bound(files.begin(), files.end(), lesson_walk.current);
    lesson_walk.current = it == files.end() ? files.front() : *it;
    return lesson_walk.current;
}

std::filesystem::path commentary_of(const std::filesystem::path& lesson) {
    std::filesystem::path p = lesson;
    p += "t";
    return p;
}

bool open_lesson(const std::filesystem::path& lesson, bool cut) {
    if (!read_game_keeping_settings(lesson)) return false;
    game.game_state = FREE_GAME;  // a lesson is never the rated match it replaces
    if (cut && game.last_ply > LESSON_PLY_LIMIT) {
        game.last_ply = LESSON_PLY_LIMIT;
        if (game.current_ply > LESSON_PLY_LIMIT) {
            game.side_to_move ^= (game.current_ply - LESSON_PLY_LIMIT) & 1;
            game.current_ply = LESSON_PLY_LIMIT;
        }
        game.side_after_last_move = game.side_to_move;
    }
    after_game_read();
    // The list marks the position shown, as the navigation does, not the last move.
    game.list_selection = game.current_ply / 2 - 1;
    return true;
}

LessonEnd lesson_end() {
    LessonEnd end;
    end.ply = game.last_ply;
    std::memcpy(end.squares.data(), game.game_record[end.ply].squares, end.squares.size());
    return end;
}

bool stands_at(const LessonEnd& end) {
    // Entry 0 is the off-board mark, which a file being written borrows.
    return game.current_ply == end.ply &&
           std::memcmp(game.game_record[end.ply].squares + 1, end.squares.data() + 1, 32) == 0;
}

}  // namespace qv
