// Lessons, exercises and problems: game files in a folder, walked one after the other,
// each with an optional plain-text commentary beside it (its name with "t" appended).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace qv {

// Opened lessons beyond this many plies are cut to it.
inline constexpr int LESSON_PLY_LIMIT = 250;

// The folder of the lesson being followed and the lesson the walk stands on (empty when
// the walk stands past the folder's last lesson).
struct LessonWalk {
    std::filesystem::path folder;
    std::filesystem::path current;
};
extern LessonWalk lesson_walk;

// The lesson files of `folder` in name order: "*.dam" (any case), commentaries left out.
std::vector<std::filesystem::path> lesson_files(const std::filesystem::path& folder);
// Starts a walk in the chosen lesson's folder, standing on it.
void start_lesson_walk(const std::filesystem::path& chosen);
// Moves the walk to the lesson after the current one, back to the first after the last;
// empty (nothing to load) when the folder holds no lesson.
std::filesystem::path next_lesson();
// The commentary's path: the lesson's with "t" appended (".damt").
std::filesystem::path commentary_of(const std::filesystem::path& lesson);

// Reads a lesson into the game in hand and shows it from its saved position; the
// interface language and table size in hand stay. `cut` limits the plies to
// LESSON_PLY_LIMIT. The game in hand is no longer rated. False (the error shown, the game
// unchanged) when it is not a game.
bool open_lesson(const std::filesystem::path& lesson, bool cut);

// Where the lesson in hand ends: its last ply and the squares there. A problem's solution
// counts as played once the game stands there again (stepped through or played out).
struct LessonEnd {
    int ply = 0;
    std::array<uint8_t, 33> squares{};
};
LessonEnd lesson_end();  // of the game just opened
bool stands_at(const LessonEnd& end);

}  // namespace qv
