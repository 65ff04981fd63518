// The message catalogue: texts with their values, language codes, progress lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/languages.h"
#include "lang/messages.h"
#include "lang/progress_text.h"

namespace qv {
namespace {

// Which rows exist, and that every language has each with the French placeholders, is
// checked when the build turns data/lang into the tables; here, the values filled in.
TEST(Catalogue, FormatsValuesInEachLanguage) {
    EXPECT_EQ(format_message(Msg::RATING_CHANGE, 0, "Anna", 1800, 1789),
              "Anna passe de 1800 à 1789");
    EXPECT_EQ(format_message(Msg::RATING_CHANGE, 1, "Anna", 1800, 1789),
              "Anna goes from 1800 to 1789");
    EXPECT_EQ(format_message(Msg::PLAYER_WINS, 5, "Bruno"), "Bruno vince");
    EXPECT_STREQ(message(Msg::CANNOT_OPEN_FILE, 0), "Impossible d'ouvrir ce fichier");
    // Out-of-range languages fall back on French rather than reading past the row.
    EXPECT_STREQ(message(Msg::ERROR_TITLE, 9), "Erreur");
}

TEST(Catalogue, LanguageCodes) {
    for (int l = 0; l < LANGUAGE_COUNT; ++l)
        EXPECT_EQ(language_of_code(test::LANGUAGE_TABLE[l].code), l);
    EXPECT_EQ(language_of_code("de"), -1);
    EXPECT_EQ(language_of_code(""), -1);
}

TEST(ProgressLines, TimedAndPonderingReports) {
    SearchProgress p{.depth = 7,
                     .nodes = 5000,
                     .timed = true,
                     .seconds = 2,
                     .score = -150,
                     .move_number = 12,
                     .variation = {"23-19 , 10-14"}};
    EXPECT_EQ(progress_lines(p, 0),
              (std::vector<std::string>{"Profondeur :     7", "Noeuds :     5000",
                                        "Temps :      2 s", "Noeuds/s :     2500", "Score :  -150",
                                        "Coups :  12", "23-19 , 10-14"}));
    p.seconds = 0;
    EXPECT_EQ(progress_lines(p, 1)[3], "Nodes/s: //");
    p.timed = false;  // pondering: neither time nor rate
    const auto lines = progress_lines(p, 3);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "Valor:  -150");
}

}  // namespace
}  // namespace qv
