// The message catalogue: complete in six languages, the same values in every language.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/languages.h"
#include "lang/messages.h"
#include "lang/progress_text.h"

namespace qv {
namespace {

// The printf conversions of a text, in order ("%4d", "%s"); "%%" is not one.
std::vector<std::string> conversions(const char* text) {
    std::vector<std::string> out;
    for (const char* p = text; *p; ++p) {
        if (*p != '%') continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        const char* start = p++;
        while (*p && std::string("-+ #0123456789.lh").find(*p) != std::string::npos) ++p;
        out.emplace_back(start, *p ? p + 1 : p);
        if (!*p) break;
    }
    return out;
}

TEST(Catalogue, RowsFollowTheIdentifiersWithUniqueNames) {
    const auto rows = message_rows();
    ASSERT_EQ(rows.size(), size_t(MESSAGE_COUNT));
    std::set<std::string> keys;
    for (int i = 0; i < MESSAGE_COUNT; ++i) {
        EXPECT_EQ(static_cast<int>(rows[i].id), i) << rows[i].key;
        EXPECT_TRUE(keys.insert(rows[i].key).second) << rows[i].key;
    }
}

class EveryMessage : public testing::TestWithParam<int> {};

TEST_P(EveryMessage, HasSixTextsWithTheFrenchConversions) {
    const MessageRow& row = message_rows()[GetParam()];
    const auto french = conversions(row.text[0]);
    for (int l = 0; l < LANGUAGE_COUNT; ++l) {
        ASSERT_NE(row.text[l], nullptr) << "language " << l;
        EXPECT_STRNE(row.text[l], "") << "language " << l;
        EXPECT_EQ(conversions(row.text[l]), french) << "language " << l << ": " << row.text[l];
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryMessage, testing::Range(0, MESSAGE_COUNT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(message_rows()[info.param].key);
                         });

TEST(Catalogue, ConversionsAreFoundInOrder) {
    EXPECT_EQ(conversions("%s passe de %4d à %4d"), (std::vector<std::string>{"%s", "%4d", "%4d"}));
    EXPECT_EQ(conversions("100%% %-20.20s%2d:"), (std::vector<std::string>{"%-20.20s", "%2d"}));
}

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
