// The lessons and problems shipped in Problemes, checked against their sources in
// data/lessons: every file is in place with its commentary, every lesson's moves are legal,
// and every problem's result and first move are what the program's own search finds with
// its endgame tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/file_io.h"
#include "board/movegen.h"
#include "common/case_name.h"
#include "eval/perfect_tables.h"
#include "files/game_file.h"
#include "files/lesson_source.h"
#include "files/temp_dir.h"
#include "search/driver.h"
#include "search/engine_start.h"
#include "search/search_state.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// Deep enough for every shipped problem, still a blink with the endgame tables.
constexpr int PROBLEM_DEPTH = 14;
constexpr int DECIDED = 30000;

struct Shipped {
    fs::path source;
};
std::string trace_name(const Shipped& s) {
    return test::to_test_name(s.source.stem().string());
}

std::vector<Shipped> shipped() {
    std::vector<Shipped> all;
    for (const auto& e : fs::directory_iterator(fs::path(QUORVEL_SOURCE_DIR) / "data/lessons"))
        if (e.path().extension() == ".txt") all.push_back({e.path()});
    std::sort(all.begin(), all.end(),
              [](const Shipped& a, const Shipped& b) { return a.source < b.source; });
    return all;
}

LessonSource read_source(const fs::path& path) {
    std::string text;
    EXPECT_TRUE(read_file_prefix(path, 1 << 20, text)) << path;
    LessonSource src;
    LessonSourceProblem why;
    EXPECT_TRUE(parse_lesson_source(text, src, why)) << path << ":" << why.line;
    return src;
}

TEST(ShippedSet, HoldsTheLessonsAndProblemsItPromises) {
    int lessons = 0, problems = 0, draws = 0;
    for (const Shipped& s : shipped()) {
        const LessonSource src = read_source(s.source);
        if (src.kind == LessonKind::lesson) ++lessons;
        if (src.kind == LessonKind::problem) ++problems;
        if (src.goal == LessonGoal::draw) ++draws;
    }
    EXPECT_GE(lessons, 12);
    EXPECT_GE(problems, 40);
    EXPECT_GE(draws, 1);
}

// The generated files are the sources': each game opens on its source's position at its
// ply, with its moves; each commentary reads back as its source's texts and goal.
TEST(ShippedSet, EveryFileIsItsSourceWithLegalMovesAndItsCommentary) {
    for (const Shipped& s : shipped()) {
        SCOPED_TRACE(trace_name(s));
        const LessonSource src = read_source(s.source);
        game = GameState{};
        TextProblem why;
        ASSERT_TRUE(load_lesson_source(src, why)) << "move " << why.move_number << " " << why.text;
        EXPECT_EQ(game.last_ply, static_cast<int>(src.moves.size()));
        const std::string expected = game_file_bytes();

        const fs::path dam = data_path("Problemes") / (s.source.stem().string() + ".dam");
        std::string bytes, commentary;
        ASSERT_TRUE(read_file_prefix(dam, GAME_FILE_SIZE + 1, bytes)) << dam;
        EXPECT_TRUE(bytes == expected) << dam << " is not what its source gives";
        ASSERT_TRUE(read_file_prefix(dam.string() + "t", 1 << 20, commentary));
        EXPECT_EQ(commentary, commentary_text(src));
        const Commentary read = parse_commentary(commentary);
        EXPECT_EQ(read.text, src.commentary.text);
        EXPECT_EQ(read.solution, src.commentary.solution);
        EXPECT_EQ(read.goal, src.goal);
    }
}

// Each problem's position searched from scratch: the first move of the solution is the
// search's choice, and its score is the stated result (a won score, or the tables' draw).
// The perfect-play tables are left out: where several moves win they pick the shortest
// win, which need not be the solution's first move.
TEST(ShippedSet, EveryProblemsResultAndFirstMoveAreTheSearchs) {
    static SearchInputs in;
    perfect_search_enabled = false;
    for (const Shipped& s : shipped()) {
        const LessonSource src = read_source(s.source);
        if (src.kind != LessonKind::problem) continue;
        SCOPED_TRACE(trace_name(s));
        ASSERT_FALSE(src.moves.empty());
        start_engine();  // an empty transposition table for each problem
        search.library_enabled = 0;
        search.stop_requested = 0;
        search.search_abandoned = 0;
        search.pondering = 0;
        search.analysis_mode = 0;
        set_position(src.start);
        const int side = src.start.side_to_move;
        ASSERT_GE(legal_moves(side), 2) << "a problem offers a choice";
        in = SearchInputs{};
        in.fixed_depth = PROBLEM_DEPTH;
        const uint8_t r = choose_move(side, in);
        ASSERT_LT(r, 70);
        const Move& best = move_lists[1][r];
        EXPECT_EQ(label(best.from) + std::string("-") + label(best.to),
                  label(src.moves[0].from) + std::string("-") + label(src.moves[0].to));
        if (src.goal == LessonGoal::win)
            EXPECT_GT(search.last_score, DECIDED);
        else
            EXPECT_EQ(search.last_score, 0);
    }
    perfect_search_enabled = true;
}

}  // namespace
}  // namespace qv
