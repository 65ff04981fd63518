// The walk through a folder of lessons and the cut of over-long lessons.
#include <gtest/gtest.h>

#include <cstring>

#include "board/fen.h"
#include "files/game_file.h"
#include "files/lessons.h"
#include "files/temp_dir.h"
#include "game/game_record.h"

namespace qv {
namespace {

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
