#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "board/host.h"
#include "common/case_name.h"
#include "eval/params.h"
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

TEST_F(ParameterFileTest, SaveWritesEditedValuesAndLoadGivesThemBack) {
    ASSERT_TRUE(load_default_parameters());
    const Parameters original = params;
    params.middle_threshold = -7;
    params.man_tables[MIDDLE_VARIANT2][32] = 99;
    params.tempo_coef[FINAL] = -128;
    const Parameters edited = params;
    ASSERT_TRUE(save_parameters(dir_ / "c.par"));
    params = original;
    ASSERT_TRUE(load_parameters(dir_ / "c.par"));
    EXPECT_EQ(std::memcmp(&params, &edited, sizeof(Parameters)), 0);
    EXPECT_EQ(read_bytes(dir_ / "c.par").size(), PARAMETER_FILE_SIZE);
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

TEST_F(ParameterFileTest, SaveIntoMissingDirectoryFails) {
    EXPECT_FALSE(save_parameters(dir_ / "no" / "such" / "x.par"));
    ASSERT_EQ(host_.errors.size(), 1u);
    EXPECT_EQ(host_.errors[0], Msg::CANNOT_OPEN_FILE);
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
    const char* text;
    int value;
};
class FieldConversion : public ::testing::TestWithParam<FieldCase> {};
TEST_P(FieldConversion, StoresTheLowEightBitsOfTheLeadingNumber) {
    EXPECT_EQ(parse_parameter_field(GetParam().text), GetParam().value) << GetParam().text;
}
std::string case_name(const FieldCase& c) {
    std::string name = "text";
    for (const char ch : std::string_view(c.text))
        name += ch == '-'   ? "_minus_"
                : ch == '+' ? "_plus_"
                : ch == ' ' ? "_space_"
                            : std::string(1, ch);
    return name;
}
INSTANTIATE_TEST_SUITE_P(Fields, FieldConversion,
                         ::testing::Values(FieldCase{"-5", -5}, FieldCase{"abc", 0},
                                           FieldCase{"300", 44}, FieldCase{"200", -56},
                                           FieldCase{"   12", 12}, FieldCase{"+7", 7},
                                           FieldCase{"12abc", 12}, FieldCase{"", 0},
                                           FieldCase{"-", 0}, FieldCase{"-128", -128},
                                           FieldCase{"128", -128}, FieldCase{"-300", -44},
                                           FieldCase{"99999999999999999999", -1}),
                         qv::test::CaseName());

}  // namespace
}  // namespace qv
