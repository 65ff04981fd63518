// The analysis lines in words, byte for byte, in the four language forms.
#include <gtest/gtest.h>

#include <string>

#include "analysis/analysis_pdn.h"
#include "analysis/analysis_text.h"
#include "board/board.h"
#include "files/text_game.h"
#include "game/game_record.h"

namespace qv {
namespace {

GameMove by_labels(int from, int to, int captures = 0) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            static_cast<uint8_t>(captures)};
}

// White's third move 22-18 (-60) where 21-17 (+40) was better, without the mark.
AnalysisLine white_line() {
    AnalysisLine l;
    l.ply = 4;
    l.move_number = 3;
    l.mover = WHITE;
    l.played = by_labels(22, 18);
    l.played_score = -60;
    l.best = by_labels(21, 17);
    l.best_score = 40;
    return l;
}

// Black's twelfth move 10-14 (-1020) against 9-13 (0), marked, with its continuation.
AnalysisLine black_marked_line() {
    AnalysisLine l;
    l.ply = 23;
    l.move_number = 12;
    l.mover = BLACK;
    l.played = by_labels(10, 14);
    l.played_score = -1020;
    l.best = by_labels(9, 13);
    l.best_score = 0;
    l.marked = true;
    l.continuation = 2;
    l.reply[0] = by_labels(22, 18);
    l.reply[1] = by_labels(13, 17);
    return l;
}

struct TextCase {
    const char* name;
    int language;
    bool black;
    bool long_form;
    const char* expected;
};

class AnalysisTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(AnalysisTextTest, FillsTheFormByteForByte) {
    const TextCase& c = GetParam();
    const AnalysisLine l = c.black ? black_marked_line() : white_line();
    const std::string text =
        c.long_form ? analysis_long_line(c.language, l) : analysis_short_line(c.language, l);
    EXPECT_EQ(text, c.expected);
}

constexpr TextCase TEXT_CASES[] = {
    {"FrenchLongWhite", 0, false, true,
     " 3 Blanc: joué : 22-18; score : -60; meilleur : 21-17; score : 40"},
    {"FrenchShortWhite", 0, false, false,
     " 3 Blancs: 22-18; score: -60 ; meilleur: 21-17; score: 40"},
    {"FrenchLongBlackMarked", 0, true, true,
     "*12 Noir : joué : 10-14; score : -1020; meilleur : 09-13; score :  0 ->( 22-18 13-17 ....)"},
    {"FrenchShortBlackMarked", 0, true, false,
     "*12 Noirs : 10-14; score: -1020 ; meilleur: 09-13; score:  0"},
    {"PortugueseLongWhite", 3, false, true,
     " 3 Brancas jogaram 22-18 (valor -60); melhor lance 21-17 (valor 40)"},
    {"PortugueseShortBlackMarked", 3, true, false, "*12 Pretas: 10-14 (-1020); melhor 09-13 ( 0)"},
    {"SpanishLongWhite", 4, false, true,
     " 3 Blancas jugaron 22-18 (puntuación -60); mejor jugada 21-17 (puntuación 40)"},
    {"SpanishShortBlackMarked", 4, true, false, "*12 Negras: 10-14 (-1020); mejor 09-13 ( 0)"},
    {"EnglishLongWhite", 1, false, true,
     " 3 White played 22-18 (score -60); best move 21-17 (score 40)"},
    {"EnglishShortWhite", 1, false, false, " 3 White: 22-18 (-60); best 21-17 (40)"},
    {"DutchLongBlackMarked", 2, true, true,
     "*12 Zwart speelde 10-14 (score -1020); beste zet 09-13 (score  0) ->( 22-18 13-17 ....)"},
};

INSTANTIATE_TEST_SUITE_P(Forms, AnalysisTextTest, ::testing::ValuesIn(TEXT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisText, ContinuationHoldsOnlyTheMovesTheSearchFound) {
    AnalysisLine l = black_marked_line();
    l.continuation = 1;
    EXPECT_EQ(analysis_long_line(1, l),
              "*12 Black played 10-14 (score -1020); best move 09-13 (score  0) ->( 22-18 ....)");
}

TEST(AnalysisText, LegendAndExplanationFollowTheLanguage) {
    EXPECT_EQ(std::string(analysis_legend(0)).substr(0, 18), "+100 gagne un pion");
    EXPECT_EQ(std::string(analysis_legend(3)).substr(0, 24), "+100 significa uma peça");
    EXPECT_EQ(std::string(analysis_legend(4)).substr(0, 23), "+100 significa un peón");
    EXPECT_EQ(std::string(analysis_explanation(5)).substr(0, 17), "Analisi in corso:");
}

// The annotated PDN: comments and variations where the lines are marked, and the program's
// own reader sees the same game through them.
constexpr const char* GAME =
    "[Event \"selfplay\"]\n[White \"first\"]\n[Black \"second\"]\n[Result \"*\"]\n\n"
    "1. 23-19 10-13 2. 21-18 12-15 3. 19x12 08x15 *\n";

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
    AnalysisLine l = black_marked_line();
    l.ply = 3;
    l.move_number = 2;
    l.played = by_labels(12, 15);
    l.best = by_labels(11, 14);
    l.best_score = 20;
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
