// Every picture the program loads exists under its exact name with its exact size, and
// the pieces read as white, black, man and king in every style.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bmp_io.h"

namespace {

namespace fs = std::filesystem;
using render::Image;

const fs::path DATA = QUORVEL_DATA_DIR;

struct Expected {
    std::string name;
    int w, h;
};

std::vector<Expected> expected_files() {
    std::vector<Expected> e;
    for (int n = 1; n <= 8; ++n) {
        e.push_back({"damier" + std::to_string(n) + "i.bmp", 785, 521});
        e.push_back({"damier" + std::to_string(n) + "wi.bmp", 785, 521});
    }
    for (int t : {1, 3, 4, 5, 6, 7, 8})
        for (const char* p : {"pv", "pb", "db", "pn", "dn"})
            for (int s = 1; s <= 32; ++s) {
                const std::string T = std::to_string(t);
                e.push_back(
                    {"Images" + T + "i/" + p + T + "_" + std::to_string(s) + "i.bmp", 60, 60});
            }
    for (const char* n : {"1pba.BMP", "1pna.bmp", "1dba.bmp", "1dna.bmp", "1pva.bmp", "1cache.BMP"})
        e.push_back({std::string("Images1i/") + n, 60, 60});
    for (const char* n : {"b48.Bmp", "bd48.Bmp", "n48.Bmp", "nd48.Bmp", "v48.Bmp"})
        e.push_back({std::string("Images1i/") + n, 48, 48});
    for (const char* n :
         {"miniclassici.bmp", "mininuiti.bmp", "minimarbrei.bmp", "minicopai.bmp", "miniverrei.bmp",
          "minifeui.bmp", "miniluxei.bmp", "minigaletsi.bmp", "mini2di.bmp"})
        e.push_back({n, 120, 80});
    return e;
}

TEST(Pictures, EveryFileExistsUnderItsExactNameWithItsSize) {
    const auto files = expected_files();
    EXPECT_EQ(files.size(), 16u + 7 * 160 + 6 + 5 + 9);
    for (const Expected& f : files) {
        const fs::path p = DATA / f.name;
        ASSERT_TRUE(fs::exists(p)) << f.name;  // exact case: the program asks for it so
        Image img;
        ASSERT_TRUE(render::load_image(p.string(), img)) << f.name;
        EXPECT_EQ(img.w, f.w) << f.name;
        EXPECT_EQ(img.h, f.h) << f.name;
    }
}

double luminance(const Image& img, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint8_t* p = img.at(x, y);
            sum += 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
        }
    return sum / (w * h);
}

double mean_difference(const Image& a, const Image& b) {
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    return sum / a.rgb.size();
}

Image load(const std::string& name) {
    Image img;
    EXPECT_TRUE(render::load_image((DATA / name).string(), img)) << name;
    return img;
}

// On every square of every set: the body of a white piece is light, of a black piece dark,
// and a king differs clearly from a man of its colour.
TEST(Pictures, PiecesReadAsWhiteBlackManAndKing) {
    for (int t : {1, 3, 4, 5, 6, 7, 8}) {
        const std::string T = std::to_string(t);
        for (int s = 1; s <= 32; ++s) {
            auto sprite = [&](const char* p) {
                return load("Images" + T + "i/" + p + T + "_" + std::to_string(s) + "i.bmp");
            };
            const Image pb = sprite("pb"), db = sprite("db"), pn = sprite("pn"), dn = sprite("dn");
            // The side of the man, below its top face, near the box centre.
            const double white = luminance(pb, 22, 34, 16, 8);
            const double black = luminance(pn, 22, 34, 16, 8);
            EXPECT_GT(white, 140) << "set " << t << " square " << s;
            EXPECT_LT(black, 70) << "set " << t << " square " << s;
            EXPECT_GT(mean_difference(pb, db), 2.5) << "set " << t << " square " << s;
            EXPECT_GT(mean_difference(pn, dn), 2.5) << "set " << t << " square " << s;
        }
    }
}

}  // namespace
