// The shipped background and sprites, drawn square by square as the window draws them,
// give the same picture as rendering the position directly; and screenshots to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bmp_io.h"
#include "board/board.h"
#include "board/board3d_geometry.h"
#include "pictures.h"
#include "theme.h"

namespace {

namespace fs = std::filesystem;
using render::Image;
using render::Position;

const fs::path DATA = QUORVEL_DATA_DIR;
const fs::path THEMES = fs::path(QUORVEL_SOURCE_DIR) / "data/themes";
const fs::path SHOTS = QUORVEL_SCREENSHOT_DIR;

const char* const THEME_FILES[8] = {"1-classique.theme", "2-nuit.theme",   "3-luxe.theme",
                                    "4-rimini.theme",    "5-venise.theme", "6-stromboli.theme",
                                    "7-grandluxe.theme", "8-sanremo.theme"};

// A middle game with kings of both colours.
Position middle_game() {
    Position p = render::empty_position();
    for (int s : {1, 3, 7, 10, 11, 14, 16}) p[s] = qv::BLACK_MAN;
    for (int s : {18, 21, 23, 24, 29, 31}) p[s] = qv::WHITE_MAN;
    p[6] = qv::WHITE_KING;
    p[26] = qv::BLACK_KING;
    p[27] = qv::BLACK_KING;
    return p;
}

// The window's drawing: background, then each square's sprite from the set's files.
Image composite_from_files(const render::Theme& theme, const Position& pos) {
    Image out;
    EXPECT_TRUE(render::load_image(
        (DATA / ("damier" + std::to_string(theme.background) + "wi.bmp")).string(), out));
    const std::string T = std::to_string(theme.sprites);
    const char* prefix[5] = {"pv", "pb", "db", "pn", "dn"};
    for (int s = 1; s <= 32; ++s) {
        Image sp;
        const fs::path f =
            DATA / ("Images" + T + "i") / (prefix[pos[s]] + T + "_" + std::to_string(s) + "i.bmp");
        EXPECT_TRUE(render::load_image(f.string(), sp)) << f;
        if (sp.w != 60 || sp.h != 60 || out.w != qv::BOARD3D_WIDTH) continue;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                std::copy_n(sp.at(x, y), 3, out.at(qv::BOARD3D_X[s] + x, qv::BOARD3D_Y[s] + y));
    }
    return out;
}

struct Case {
    int theme;
    bool start;
};

class CompositeMatchesDirect : public testing::TestWithParam<Case> {};

// Pieces, their shadows and reflections reach at most a few pixels past the boxes; the
// comparison covers the boxes' bounding rectangle with a margin.
constexpr render::Rect REGION{160, 40, 560, 410};

TEST_P(CompositeMatchesDirect, WithinTolerance) {
    const Case c = GetParam();
    render::Theme theme;
    std::string error;
    ASSERT_TRUE(render::load_theme((THEMES / THEME_FILES[c.theme]).string(), theme, error))
        << error;
    const Position pos = c.start ? render::start_position() : middle_game();
    const Image shown = composite_from_files(theme, pos);
    ASSERT_EQ(shown.w, qv::BOARD3D_WIDTH);
    const Image direct =
        render::render_position(theme, render::board_view(render::SAMPLES_SIDE), pos, REGION);
    long total = 0, far_off = 0;
    Image diff(REGION.w, REGION.h);
    for (int y = 0; y < REGION.h; ++y)
        for (int x = 0; x < REGION.w; ++x) {
            const uint8_t* a = shown.at(REGION.x + x, REGION.y + y);
            const uint8_t* b = direct.at(x, y);
            int worst = 0;
            for (int k = 0; k < 3; ++k) {
                const int d = std::abs(int(a[k]) - int(b[k]));
                total += d;
                worst = std::max(worst, d);
            }
            if (worst > 32) ++far_off;
            std::fill_n(diff.at(x, y), 3, static_cast<uint8_t>(std::min(255, worst * 8)));
        }
    const double pixels = double(REGION.w) * REGION.h;
    const double mean = total / (3 * pixels);
    std::printf("%s: mean difference %.3f, %.4f%% of pixels off by more than 32\n",
                theme.name.c_str(), mean, 100.0 * far_off / pixels);
    const bool close = mean < 0.5 && far_off / pixels < 0.002;
    EXPECT_LT(mean, 0.5) << theme.name;
    EXPECT_LT(far_off / pixels, 0.002) << theme.name << ": " << far_off << " pixels far off";

    fs::create_directories(SHOTS);
    const std::string stem = std::to_string(c.theme + 1) + (c.start ? "-start" : "-middle");
    EXPECT_TRUE(render::save_image(shown, (SHOTS / (stem + ".png")).string()));
    // Where they differ, eight times amplified, to see what went wrong.
    const fs::path diff_file = SHOTS / (stem + "-difference.png");
    if (close)
        fs::remove(diff_file);
    else
        render::save_image(diff, diff_file.string());
}

std::vector<Case> all_cases() {
    std::vector<Case> v;
    for (int t = 0; t < 8; ++t) v.push_back({t, true}), v.push_back({t, false});
    return v;
}
INSTANTIATE_TEST_SUITE_P(Styles, CompositeMatchesDirect, testing::ValuesIn(all_cases()),
                         [](const testing::TestParamInfo<Case>& info) {
                             return "style" + std::to_string(info.param.theme + 1) +
                                    (info.param.start ? "_start" : "_middle");
                         });

// The start-up picker's nine miniatures side by side, for looking at.
TEST(Screenshots, PickerMiniatures) {
    const char* names[9] = {"miniclassici.bmp", "mininuiti.bmp",   "minimarbrei.bmp",
                            "minicopai.bmp",    "miniverrei.bmp",  "minifeui.bmp",
                            "miniluxei.bmp",    "minigaletsi.bmp", "mini2di.bmp"};
    Image strip(9 * 128 + 8, 88);
    for (int i = 0; i < 9; ++i) {
        Image m;
        ASSERT_TRUE(render::load_image((DATA / names[i]).string(), m)) << names[i];
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x)
                std::copy_n(m.at(x, y), 3, strip.at(8 + i * 128 + x, 4 + y));
    }
    fs::create_directories(SHOTS);
    EXPECT_TRUE(render::save_image(strip, (SHOTS / "picker.png").string()));
}

}  // namespace
