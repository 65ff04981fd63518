// The analysis lines in words, byte for byte, in the four language forms.
#include <gtest/gtest.h>

#include <string>

#include "analysis/analysis_text.h"
#include "board/board.h"

namespace qv {
namespace {

GameMove by_labels(int from, int to) {
    return {static_cast<uint8_t>(square_of_label(from)), static_cast<uint8_t>(square_of_label(to)),
            0};
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
     " 3 Brancas: jogou : 22-18; valor : -60; melhor : 21-17; valor : 40"},
    {"PortugueseShortBlackMarked", 3, true, false,
     "*12 Pretas : 10-14; valor : -1020; melhor : 09-13; valor :  0"},
    {"SpanishLongWhite", 4, false, true,
     " 3 Blancas: jogou : 22-18; Puntuación : -60; melhor : 21-17; valor : 40"},
    {"SpanishShortBlackMarked", 4, true, false,
     "*12 Negras : 10-14; Puntuación : -1020; melhor : 09-13; valor :  0"},
    {"EnglishLongWhite", 1, false, true,
     " 3 White : played : 22-18; score : -60; best : 21-17; score : 40"},
    {"EnglishShortWhite", 1, false, false,
     " 3 White : 22-18; score : -60 ; best : 21-17; score : 40"},
    {"DutchIsEnglishLongBlackMarked", 2, true, true,
     "*12 Black : played : 10-14; score : -1020; best : 09-13; score :  0 ->( 22-18 13-17 ....)"},
};

INSTANTIATE_TEST_SUITE_P(Forms, AnalysisTextTest, ::testing::ValuesIn(TEXT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisText, ContinuationHoldsOnlyTheMovesTheSearchFound) {
    AnalysisLine l = black_marked_line();
    l.continuation = 1;
    EXPECT_EQ(
        analysis_long_line(1, l),
        "*12 Black : played : 10-14; score : -1020; best : 09-13; score :  0 ->( 22-18 ....)");
}

TEST(AnalysisText, LegendAndExplanationFollowTheLanguage) {
    EXPECT_EQ(std::string(analysis_legend(0)).substr(0, 18), "+100 gagne un pion");
    EXPECT_EQ(std::string(analysis_legend(3)).substr(0, 20), "+100 ganha uma peça");
    EXPECT_EQ(std::string(analysis_legend(4)), std::string(analysis_legend(1)));
    EXPECT_EQ(std::string(analysis_explanation(5)).substr(0, 14), "(don't conside");
}

}  // namespace
}  // namespace qv
