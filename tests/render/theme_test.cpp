// Style files: a good one loads; each kind of bad line is refused with its line number.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/case_name.h"
#include "files/temp_dir.h"
#include "theme.h"

namespace {

namespace fs = std::filesystem;

// Writes `text` into a file of the test's own folder and gives its path.
std::string write_temp(const qv::test::TempDir& dir, const std::string& name,
                       const std::string& text) {
    dir.put(name, text);
    return (dir / name).string();
}

const std::string GOOD =
    "# a comment\n"
    "style name=\"Grand luxe\" background=7 sprites=7 miniature=miniluxei.bmp pieces=disc\n"
    "light kind=sun at=0,0,2 radius=0.02 colour=1,1,1 power=2 scope=board\n"
    "white pattern=marble a=1,1,1 b=0.5,0.5,0.5 reflect=0.05\n";

TEST(Theme, GoodFileLoads) {
    const qv::test::TempDir temp;
    render::Theme t;
    std::string error;
    ASSERT_TRUE(render::load_theme(write_temp(temp, "qv_good.theme", GOOD), t, error)) << error;
    EXPECT_EQ(t.name, "Grand luxe");
    EXPECT_EQ(t.background, 7);
    ASSERT_EQ(t.lights.size(), 1u);
    EXPECT_TRUE(t.lights[0].sun);
    EXPECT_DOUBLE_EQ(t.lights[0].at.z, 1.0);  // sun directions are normalised
    EXPECT_EQ(t.lights[0].scope, render::Scope::Board);
    EXPECT_EQ(t.white.pattern, render::Pattern::Marble);
    EXPECT_DOUBLE_EQ(t.white.a.x, 1.0);      // sRGB white stays white
    EXPECT_NEAR(t.white.b.x, 0.214, 0.001);  // sRGB 0.5 is 0.214 in linear light
}

struct BadCase {
    const char* line;
    const char* expect;  // part of the message
};

const BadCase BAD_CASES[] = {
    {"table pattern=tartan", ":3: bad pattern=tartan for table"},
    {"chair colour=1,1,1", ":3: unknown object \"chair\""},
    {"white a=1,1", ":3: bad a=1,1 for white"},
    {"style background=9", ":3: bad background=9 for style"},
    {"light kind=laser", ":3: bad kind=laser for light"},
    {"white pattern", ":3: expected key=value"},
    {"style name=\"open", ":3: unclosed quote"},
};

class ThemeBad : public testing::TestWithParam<BadCase> {};

TEST_P(ThemeBad, RefusedWithLineNumber) {
    const qv::test::TempDir temp;
    const std::string text =
        std::string("# bad\nstyle name=Test miniature=m.bmp\n") + GetParam().line + "\n";
    render::Theme t;
    std::string error;
    EXPECT_FALSE(render::load_theme(write_temp(temp, "qv_bad.theme", text), t, error));
    EXPECT_NE(error.find(GetParam().expect), std::string::npos) << error;
}
INSTANTIATE_TEST_SUITE_P(Lines, ThemeBad, testing::ValuesIn(BAD_CASES),
                         qv::test::NameBy<&BadCase::line>());

TEST(Theme, MissingFileAndMissingNameAreRefused) {
    const qv::test::TempDir temp;
    render::Theme t;
    std::string error;
    EXPECT_FALSE(render::load_theme("/nonexistent/x.theme", t, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_FALSE(
        render::load_theme(write_temp(temp, "qv_noname.theme", "camera exposure=1\n"), t, error));
    EXPECT_NE(error.find("needs a name"), std::string::npos);
}

}  // namespace
