#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/host.h"
#include "common/case_name.h"
#include "eval/params.h"
#include "eval/params_text.h"
#include "files/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

struct RecordingHost : Host {
    std::vector<Msg> errors;
    void show_error(Msg message) override { errors.push_back(message); }
};

class ParameterFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        set_host(&host_);
        saved_ = parameter_state;
    }
    void TearDown() override {
        parameter_state = saved_;
        set_host(nullptr);
    }
    static void write_bytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> read_bytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    RecordingHost host_;
    test::TempDir temp_;
    const fs::path& dir_ = temp_.path();
    ParameterState saved_;
};

TEST_F(ParameterFileTest, LoadThenSaveKeepsAllValuesAndTheReservedBytes) {
    std::vector<uint8_t> image(PARAMETER_FILE_SIZE);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    write_bytes(dir_ / "a.par", image);
    ASSERT_TRUE(load_parameters(dir_ / "a.par"));
    EXPECT_EQ(params.man_tables[0][1], static_cast<int8_t>(10));  // offset 1
    EXPECT_EQ(params.opening_threshold, static_cast<int8_t>(264 * 7 + 3));
    EXPECT_EQ(params.variant2_black_squares[0], static_cast<int8_t>(288 * 7 + 3));
    EXPECT_EQ(params.tempo_coef[7], static_cast<int8_t>(302 * 7 + 3));
    ASSERT_TRUE(save_parameters(dir_ / "b.par"));
    EXPECT_EQ(read_bytes(dir_ / "b.par"), image);
    EXPECT_FALSE(fs::exists(dir_ / "b.par.tmp"));
    EXPECT_TRUE(host_.errors.empty());
}

TEST_F(ParameterFileTest, ShortOrMissingFileIsRefusedAndChangesNothing) {
    ASSERT_TRUE(load_default_parameters());
    const ParameterState before = parameter_state;
    write_bytes(dir_ / "short.par", std::vector<uint8_t>(PARAMETER_FILE_SIZE - 1, 0x55));
    for (const fs::path& p : {dir_ / "short.par", dir_ / "missing.par"}) {
        host_.errors.clear();
        EXPECT_FALSE(load_parameters(p)) << p;
        ASSERT_EQ(host_.errors.size(), 1u);
        EXPECT_EQ(host_.errors[0], Msg::CANNOT_OPEN_FILE);
        EXPECT_EQ(std::memcmp(&parameter_state, &before, sizeof before), 0);
    }
}

TEST(DefaultParameters, LoadAndHoldSensibleValues) {
    ASSERT_TRUE(load_default_parameters());
    EXPECT_GT(params.opening_threshold, params.middle_threshold);
    EXPECT_GT(params.middle_threshold, params.prefinal_threshold);
    EXPECT_LT(params.opening_threshold, 24);  // the start position is in the opening
    for (const auto& table : params.man_tables)
        for (int e = 1; e <= 32; ++e) EXPECT_LE(std::abs(table[e]), 45) << e;
}

struct FieldCase {
    const char* name;
    const char* text;
    int value;
};
class FieldConversion : public ::testing::TestWithParam<FieldCase> {};
TEST_P(FieldConversion, StoresTheLowEightBitsOfTheLeadingNumber) {
    EXPECT_EQ(parse_parameter_field(GetParam().text), GetParam().value) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Fields, FieldConversion,
    ::testing::Values(FieldCase{"negative", "-5", -5}, FieldCase{"letters", "abc", 0},
                      FieldCase{"300", "300", 44}, FieldCase{"200", "200", -56},
                      FieldCase{"leading_blanks", "   12", 12}, FieldCase{"plus", "+7", 7},
                      FieldCase{"trailing_letters", "12abc", 12}, FieldCase{"empty", "", 0},
                      FieldCase{"minus_alone", "-", 0}, FieldCase{"minus_128", "-128", -128},
                      FieldCase{"128", "128", -128}, FieldCase{"minus_300", "-300", -44},
                      FieldCase{"huge", "99999999999999999999", -1}),
    qv::test::RowName());

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
    qv::test::NameBy<&BadText::message>());

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
