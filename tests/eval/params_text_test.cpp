#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "common/case_name.h"
#include "eval/params.h"
#include "eval/params_text.h"

namespace qv {
namespace {

// A complete text in which entry e of table t holds e + t and tempo t holds -t; one piece
// of it may be replaced to make it faulty.
std::string complete_text(const std::string& replace_from = "", const std::string& with = "") {
    std::ostringstream out;
    out << "# test set\nopening_threshold 20\nmiddle_threshold 14  # comment\n"
           "prefinal_threshold 5\n"
           "variant1_white_squares 1 2 3 4 5 6 7\nvariant1_black_squares 8 9 10 11 12 13 14\n"
           "variant2_white_squares 15 16 17 18 19 20 21\n"
           "variant2_black_squares -1 -2 -3 -4 -5 -6 -7\n";
    for (int t = 0; t < MAN_TABLE_COUNT; ++t) {
        out << "tempo " << MAN_TABLE_NAMES[t] << " " << -t << "\n";
        out << "table " << MAN_TABLE_NAMES[t] << "\n";
        for (int row = 0; row < 8; ++row) {
            out << (row % 2 ? "     " : "  ");
            for (int k = 0; k < 4; ++k) out << (29 - 4 * row + k) + t << "     ";
            out << "\n";
        }
    }
    std::string s = out.str();
    if (!replace_from.empty()) {
        const size_t at = s.find(replace_from);
        if (at != std::string::npos) s.replace(at, replace_from.size(), with);
    }
    return s;
}

TEST(ParameterText, TablesReadAsTheEditorDrawsThem) {
    std::istringstream in(complete_text());
    Parameters p;
    std::string error;
    ASSERT_TRUE(parse_parameter_text(in, p, error)) << error;
    for (int t = 0; t < MAN_TABLE_COUNT; ++t) {
        EXPECT_EQ(p.tempo_coef[t], -t);
        EXPECT_EQ(p.man_tables[t][0], 0);
        for (int e = 1; e <= 32; ++e) EXPECT_EQ(p.man_tables[t][e], e + t) << t << " " << e;
    }
    EXPECT_EQ(p.opening_threshold, 20);
    EXPECT_EQ(p.middle_threshold, 14);
    EXPECT_EQ(p.prefinal_threshold, 5);
    EXPECT_EQ(p.variant1_black_squares[6], 14);
    EXPECT_EQ(p.variant2_black_squares[0], -1);
}

struct BadText {
    const char* from;
    const char* to;
    const char* message;
};
class ParameterTextErrors : public ::testing::TestWithParam<BadText> {};
TEST_P(ParameterTextErrors, AreRefusedWithTheirLine) {
    std::istringstream in(complete_text(GetParam().from, GetParam().to));
    Parameters p;
    p.opening_threshold = 99;
    std::string error;
    EXPECT_FALSE(parse_parameter_text(in, p, error));
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
    EXPECT_EQ(p.opening_threshold, 99);  // untouched
}
std::string case_name(const BadText& c) {
    return c.message;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterTextErrors,
    ::testing::Values(BadText{"prefinal_threshold 5", "prefinal_threshold 500", "line 4: outside"},
                      BadText{"prefinal_threshold 5", "prefinal_threshold x", "not a number"},
                      BadText{"prefinal_threshold 5\n", "", "missing prefinal_threshold"},
                      BadText{"# test set", "middle_threshold 3", "given twice"},
                      BadText{"tempo final -3\n", "", "missing tempo final"},
                      BadText{"tempo final", "tempo finale", "unknown table name"},
                      BadText{"# test set", "colour 3", "unknown name colour"},
                      BadText{"variant1_white_squares 1 2 3 4 5 6 7",
                              "variant1_white_squares 1 2 3", "wants 7 values"},
                      BadText{"  29     30     31     32     \n", "  29 30 31\n",
                              "holds 4 values"}),
    qv::test::CaseName());

TEST(ParameterText, ShippedSourceGivesTheShippedFile) {
    std::ifstream in(QUORVEL_SOURCE_DIR "/data/params/defaut.txt");
    Parameters text;
    std::string error;
    ASSERT_TRUE(parse_parameter_text(in, text, error)) << error;
    ASSERT_TRUE(load_default_parameters());
    EXPECT_EQ(std::memcmp(&text, &params, sizeof text), 0);
}

}  // namespace
}  // namespace qv
