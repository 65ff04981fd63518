// A lesson's commentary (".damt"): plain UTF-8 text, meant to read well in a text editor
// too. Each language's text follows a line holding its code in brackets; a problem's
// solution follows the line "[solution]" inside each section, and the file opens with the
// problem's goal for the side to move:
//
//   goal: win
//
//   [fr]
//   Problème 1 : les Blancs jouent et gagnent.
//
//   [solution]
//   Solution : 1. 28-23 16-20 2. 23x16
//
//   [en]
//   ...
//
// Codes: fr en nl pt es it. Text before the first mark (all of a file written by hand
// without marks) is French. Lines are kept without their surrounding blanks, sections
// without blank lines at either end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// A line of a hand-written text without its leading blanks and its trailing blanks and CR.
std::string_view trim_line(std::string_view s);

enum class LessonGoal : uint8_t { none, win, draw };

inline constexpr int COMMENTARY_LANGUAGES = 6;  // the interface languages, French first

struct Commentary {
    LessonGoal goal = LessonGoal::none;
    // By language index; empty where the file has no such section.
    std::array<std::string, COMMENTARY_LANGUAGES> text;
    std::array<std::string, COMMENTARY_LANGUAGES> solution;
};

// Reads a commentary; marks it does not know ("[de]") are text. `goal:` counts only
// before the first section.
Commentary parse_commentary(std::string_view file);

// The file's text for `c`, which parse_commentary reads back the same.
std::string write_commentary(const Commentary& c);

// The language of `language` shown to a person: that section when the file has it, French
// otherwise (or the first there is); the solution after a blank line when `with_solution`.
std::string commentary_for(const Commentary& c, int language, bool with_solution);

}  // namespace qv
