// The annotated PDN: comments and variations where the lines are marked, and the program's
// own reader sees the same game through them.
#include <gtest/gtest.h>

#include <string>

#include "analysis/analysis_pdn.h"
#include "board/board.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace qv {
namespace {

constexpr const char* GAME =
    "[Event \"selfplay\"]\n[White \"first\"]\n[Black \"second\"]\n[Result \"*\"]\n\n"
    "1. 23-19 10-13 2. 21-18 12-15 3. 19x12 08x15 *\n";

GameMove by_labels(int from, int to, int captures = 0) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            static_cast<uint8_t>(captures)};
}

class AnalysisPdnTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = GameState{};
        TextGame tg;
        TextProblem why;
        ASSERT_TRUE(parse_text_game(GAME, 0, tg, why)) << why.text;
        ASSERT_TRUE(load_text_game(tg, 1000, why)) << why.text;
    }
};

// Black's 2... 12-15 marked: best 11-14 (+0.02) against -1.02, then 19x12 08x15 ... (not
// a real continuation: only the writing is looked at here).
AnalysisLine black_marked() {
    AnalysisLine l;
    l.ply = 3;
    l.move_number = 2;
    l.mover = BLACK;
    l.played = by_labels(12, 15);
    l.played_score = -1020;
    l.best = by_labels(11, 14);
    l.best_score = 20;
    l.marked = true;
    l.continuation = 2;
    l.reply[0] = by_labels(18, 13);
    l.reply[1] = by_labels(9, 18, 1);
    return l;
}

TEST_F(AnalysisPdnTest, MarkedMoveGetsCommentAndVariationNextMoveItsNumber) {
    AnalysisLine quiet = black_marked();
    quiet.ply = 0;
    quiet.marked = false;
    const std::string pdn = analysis_pdn_bytes({quiet, black_marked()}, "2026.01.02");
    const std::string expected_moves =
        "1. 23-19 10-13 2. 21-18 12-15 {best 11-14 (+0.02), played -1.02} (2... 11-14\r\n"
        "3. 18-13 9x18) 3. 19x12 8x15 *\r\n";
    ASSERT_GE(pdn.size(), expected_moves.size());
    EXPECT_EQ(pdn.substr(pdn.size() - expected_moves.size()), expected_moves);
    EXPECT_EQ(pdn.find("{best", 0), pdn.rfind("{best")) << "only the marked line";
}

TEST_F(AnalysisPdnTest, ReaderSkipsCommentsAndNestedVariations) {
    const std::string text =
        "[Event \"x\"]\n\n1. 23-19 {a (comment) 22-18} (1. 22-18 (1. 21-17 {x)} 10-14) 10-14) "
        "10-13 2. 21-18 *\n";
    TextGame tg;
    TextProblem why;
    ASSERT_TRUE(parse_text_game(text, 0, tg, why)) << why.text;
    ASSERT_EQ(tg.plies.size(), 3u);
    EXPECT_EQ(tg.plies[1],
              std::make_pair(uint8_t(square_of_label(10)), uint8_t(square_of_label(13))));
    EXPECT_EQ(tg.plies[2],
              std::make_pair(uint8_t(square_of_label(21)), uint8_t(square_of_label(18))));
}

}  // namespace
}  // namespace qv
