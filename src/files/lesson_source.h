// Lessons and problems written as text (the sources of the shipped set): a start
// position, a line of moves, the ply the lesson opens at, for a problem the result it
// asks for, and the commentary in the languages it is written in (at least French and
// English; a problem's solution after "[solution]" in each, see files/commentary.h).
//
//   kind: problem            lesson or problem
//   goal: win                problems: win or draw (for the side to move)
//   white: Problème 07       the names shown beside the board
//   black: Blancs gagnent
//   position: W:W22,K30:B10  PDN FEN, notation numbers ("K" before a king)
//   moves: 22-18 10x17       the lesson's moves, or the problem's solution line
//   show: 0                  the ply the file opens at (default 0)
//   [fr] ... [en] ...        the commentary, each language's text after its mark
//   [solution] ...           problems: the solution, the rest of its language's text
//
// Lines starting with "#" are remarks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/fen.h"
#include "files/commentary.h"
#include "files/text_game.h"

namespace qv {

enum class LessonKind : uint8_t { lesson, problem };

struct LessonMove {
    uint8_t from = 0;  // internal squares
    uint8_t to = 0;
    bool capture = false;  // written with "x"
};

// Moves written as notation numbers, "23-19 10x19 ...": false at a token that is not
// "N-M" or "NxM" with N and M in 1..32. Legality is the caller's affair.
bool parse_moves(std::string_view text, std::vector<LessonMove>& out);

struct LessonSource {
    LessonKind kind = LessonKind::lesson;
    LessonGoal goal = LessonGoal::none;
    std::string white;
    std::string black;
    Position start;
    std::vector<LessonMove> moves;
    int show = 0;
    Commentary commentary;  // its goal stays none: the source's is `goal`
};

enum class LessonSourceError : uint8_t {
    none,
    unknown_line,  // not "key: value", a remark or a language mark
    bad_kind,
    bad_goal,          // a problem without win/draw, or a lesson with a goal
    bad_position,      // missing or not a FEN
    bad_move,          // not "from-to" / "fromxto" with notation numbers
    bad_show,          // not a ply of the line
    missing_text,      // no French or no English commentary
    missing_solution,  // a problem's French or English without its solution
};
struct LessonSourceProblem {
    LessonSourceError error = LessonSourceError::none;
    int line = 0;  // from 1; 0 for what concerns the whole text
};

bool parse_lesson_source(std::string_view text, LessonSource& out, LessonSourceProblem& why);

// Replaces the game in hand with the lesson: its position, its moves played and
// recorded (each must be legal), standing at `show`. False with the reason otherwise.
bool load_lesson_source(const LessonSource& src, TextProblem& why);

// The commentary file's text (files/commentary.h), the problem's goal at its head.
std::string commentary_text(const LessonSource& src);

}  // namespace qv
