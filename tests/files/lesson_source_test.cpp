// Lessons written as text: what a source holds, the refusals of sources that are wrong, and
// what a commentary shows in each language.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/board.h"
#include "board/fen.h"
#include "common/case_name.h"
#include "files/commentary.h"
#include "files/game_file.h"
#include "files/lesson_source.h"
#include "files/lessons.h"
#include "files/temp_dir.h"
#include "game/game_record.h"

namespace qv {
namespace {

constexpr const char* GOOD =
    "# a remark\n"
    "kind: problem\r\n"
    "goal: draw\n"
    "white: Problème 1\n"
    "black: Nulle\n"
    "position: B:W22,K30:B14\n"
    "moves: 14-18 22x13\n"
    "show: 1\n"
    "[fr]\n"
    "\n"
    "Les Noirs jouent.\n"
    "  Deuxième ligne.\n"
    "\n"
    "[solution]\n"
    "1. 14-18\n"
    "[en]\n"
    "Black to play.\n"
    "[solution]\n"
    "1. 14-18\n";

TEST(LessonSource, ReadsEveryFieldAndLoadsStandingOnItsPly) {
    LessonSource src;
    LessonSourceProblem why;
    ASSERT_TRUE(parse_lesson_source(GOOD, src, why)) << why.line;
    EXPECT_EQ(src.kind, LessonKind::problem);
    EXPECT_EQ(src.goal, LessonGoal::draw);
    EXPECT_EQ(src.white, "Problème 1");
    EXPECT_EQ(src.start.side_to_move, BLACK);
    EXPECT_EQ(src.start.squares[square_of_label(30)], WHITE_KING);
    ASSERT_EQ(src.moves.size(), 2u);
    EXPECT_EQ(src.moves[1].from, square_of_label(22));
    EXPECT_TRUE(src.moves[1].capture);
    // The commentary file reads back as the source's, with the problem's goal.
    const Commentary back = parse_commentary(commentary_text(src));
    EXPECT_EQ(back.goal, LessonGoal::draw);
    EXPECT_EQ(back.text, src.commentary.text);
    EXPECT_EQ(back.solution, src.commentary.solution);
    EXPECT_EQ(back.text[0], "Les Noirs jouent.\nDeuxième ligne.\n");

    game = GameState{};
    TextProblem problem;
    ASSERT_TRUE(load_lesson_source(src, problem));
    EXPECT_EQ(game.last_ply, 2);
    EXPECT_EQ(game.current_ply, 1);
    EXPECT_EQ(game.side_to_move, WHITE);
    EXPECT_EQ(board[square_of_label(18)], BLACK_MAN);
    EXPECT_EQ(game.white_name, "Problème 1");
}

struct Bad {
    const char* name;
    std::string text;
    LessonSourceError error;
    int line;
};

const std::string POS = "position: W:W22:B14\n";
const std::string TEXT = "[fr]\nx\n[en]\ny\n";

class BadSource : public ::testing::TestWithParam<Bad> {};

TEST_P(BadSource, IsRefusedWithItsReasonAndLine) {
    LessonSource src;
    src.white = "untouched";
    LessonSourceProblem why;
    EXPECT_FALSE(parse_lesson_source(GetParam().text, src, why));
    EXPECT_EQ(why.error, GetParam().error);
    EXPECT_EQ(why.line, GetParam().line);
    EXPECT_EQ(src.white, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    LessonSource, BadSource,
    ::testing::Values(
        Bad{"no_colon", POS + "moves 22-18\n" + TEXT, LessonSourceError::unknown_line, 2},
        Bad{"unknown_key", "level: 3\n" + POS + TEXT, LessonSourceError::unknown_line, 1},
        Bad{"kind", "kind: puzzle\n" + POS + TEXT, LessonSourceError::bad_kind, 1},
        Bad{"goal_word", "kind: problem\ngoal: lose\n" + POS + TEXT, LessonSourceError::bad_goal,
            2},
        Bad{"problem_without_goal", "kind: problem\n" + POS + TEXT, LessonSourceError::bad_goal, 0},
        Bad{"lesson_with_goal", "goal: win\n" + POS + TEXT, LessonSourceError::bad_goal, 0},
        Bad{"no_position", "moves: 22-18\n" + TEXT, LessonSourceError::bad_position, 0},
        Bad{"bad_fen", "position: W:W33:B1\n" + TEXT, LessonSourceError::bad_position, 1},
        Bad{"square_out_of_range", POS + "moves: 22-18 14-33\n" + TEXT, LessonSourceError::bad_move,
            2},
        Bad{"no_separator", POS + "moves: 2218\n" + TEXT, LessonSourceError::bad_move, 2},
        Bad{"show_word", POS + "show: first\n" + TEXT, LessonSourceError::bad_show, 2},
        Bad{"show_beyond_moves", POS + "moves: 22-18\nshow: 2\n" + TEXT,
            LessonSourceError::bad_show, 0},
        Bad{"no_english", POS + "[fr]\nx\n", LessonSourceError::missing_text, 0},
        Bad{"blank_french", POS + "[fr]\n \n[en]\ny\n", LessonSourceError::missing_text, 0},
        Bad{"problem_without_english_solution",
            "kind: problem\ngoal: win\n" + POS + "[fr]\nx\n[solution]\ns\n[en]\ny\n",
            LessonSourceError::missing_solution, 0}),
    test::RowName());

// What a person of each language reads of a commentary file.
struct Shown {
    const char* name;
    const char* file;
    int language;
    bool with_solution;
    const char* expected;
};

constexpr const char* FR_EN = "[fr]\nBonjour.\n\n[en]\n  Hello.\r\n";
constexpr const char* PROBLEM =
    "goal: win\n\n[fr]\nCherchez.\n\n[solution]\n1. 28-23\n[en]\nLook.\n[solution]\n1. 28-23 !\n";

class CommentaryShown : public ::testing::TestWithParam<Shown> {};

TEST_P(CommentaryShown, InThePersonsLanguageOrFrench) {
    const Shown& row = GetParam();
    EXPECT_EQ(commentary_for(parse_commentary(row.file), row.language, row.with_solution),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commentary, CommentaryShown,
    ::testing::Values(
        Shown{"english_reads_english", FR_EN, 1, false, "Hello.\n"},
        Shown{"dutch_missing_reads_french", FR_EN, 2, false, "Bonjour.\n"},
        Shown{"only_english_is_what_there_is", "[en]\nHello.\n", 0, false, "Hello.\n"},
        Shown{"no_marks_is_french", "Lecture\n\n[xx] suite\n", 1, false, "Lecture\n\n[xx] suite\n"},
        Shown{"solution_hidden", PROBLEM, 1, false, "Look.\n"},
        Shown{"solution_shown", PROBLEM, 1, true, "Look.\n\n1. 28-23 !\n"},
        Shown{"unknown_mark_is_text", "[fr]\nA\n[solutions]\n", 0, false, "A\n[solutions]\n"}),
    test::RowName());

TEST(LessonSource, AnIllegalMoveLeavesTheGameInHand) {
    LessonSource src;
    LessonSourceProblem why;
    ASSERT_TRUE(parse_lesson_source(POS + "moves: 22-18 14-19\n" + TEXT, src, why));
    game = GameState{};
    game.last_ply = 7;
    TextProblem problem;
    EXPECT_FALSE(load_lesson_source(src, problem));  // 14x21 is compulsory
    EXPECT_EQ(problem.error, TextError::illegal_move);
    EXPECT_EQ(problem.move_number, 2);
    EXPECT_EQ(game.last_ply, 7);
}

// The walk through a folder of lessons and the cut of over-long lessons.
class LessonWalkTest : public test::TempDirTest {
  protected:
    // A one-position game whose file claims `plies` plies, standing on ply `current`.
    std::string lesson_bytes(int plies, int current) {
        Position p;
        std::string error;
        EXPECT_TRUE(parse_fen(START_FEN, p, error));
        game = GameState{};
        std::memcpy(game.game_record[0].squares, p.squares, sizeof p.squares);
        std::string bytes = game_file_bytes();
        bytes[0] = static_cast<char>(plies);
        bytes[RECORD_BYTES] = static_cast<char>(current);
        return bytes;
    }
};

TEST_F(LessonWalkTest, StepsThroughLessonsOnlyAndWraps) {
    put("A.dam", "x");
    put("A.damt", "commentary");
    put("B.DAM", "x");
    put("notes.txt", "x");
    start_lesson_walk(dir / "A.dam");
    EXPECT_EQ(lesson_walk.current, dir / "A.dam");
    EXPECT_EQ(next_lesson(), dir / "B.DAM");
    EXPECT_EQ(next_lesson(), dir / "A.dam");
    EXPECT_EQ(next_lesson(), dir / "B.DAM");
    EXPECT_EQ(commentary_of(dir / "A.dam"), dir / "A.damt");
}

TEST_F(LessonWalkTest, AChoiceOutsideTheLessonsStartsAtTheFirst) {
    put("A.dam", "x");
    put("A.damt", "commentary");
    start_lesson_walk(dir / "A.damt");
    EXPECT_TRUE(lesson_walk.current.empty());
    EXPECT_EQ(next_lesson(), dir / "A.dam");
    std::filesystem::remove(dir / "A.dam");
    EXPECT_TRUE(next_lesson().empty());  // nothing left to load
}

TEST_F(LessonWalkTest, OverLongLessonIsCutOnlyFromTheDialog) {
    put("long.dam", lesson_bytes(252, 252));
    ASSERT_TRUE(open_lesson(dir / "long.dam", true));
    EXPECT_EQ(game.last_ply, LESSON_PLY_LIMIT);
    EXPECT_EQ(game.current_ply, LESSON_PLY_LIMIT);
    ASSERT_TRUE(open_lesson(dir / "long.dam", false));
    EXPECT_EQ(game.last_ply, 252);
}

TEST_F(LessonWalkTest, LanguageInHandStaysAndANonGameIsRefused) {
    std::string bytes = lesson_bytes(0, 0);
    bytes[OFFSET_LANGUAGE] = 4;
    put("es.dam", bytes);
    put("bad.dam", "not a game");
    game.language = 1;
    ASSERT_TRUE(open_lesson(dir / "es.dam", true));
    EXPECT_EQ(game.language, 1);
    game.last_ply = 7;
    EXPECT_FALSE(open_lesson(dir / "bad.dam", true));
    EXPECT_EQ(game.last_ply, 7);
}

}  // namespace
}  // namespace qv
