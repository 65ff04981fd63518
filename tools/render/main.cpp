// quorvel-render: draws every board picture the program loads, from the style files.
//   quorvel-render --themes DIR --out DIR [--stamp FILE] [--samples N]
// Writes, for each style, damierNi.bmp, damierNwi.bmp and its miniature; for each sprite
// set ImagesTi/ with its 160 sprites; from the style with background 1 the 2D squares and
// the set-up buttons in Images1i, the 2D miniature and the program's icon in icons/.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bmp_io.h"
#include "board/board.h"
#include "board/board3d_geometry.h"
#include "pictures.h"
#include "theme.h"

namespace fs = std::filesystem;
using namespace render;

namespace {

// The miniatures show the whole picture, surroundings included: they tell the styles
// apart (Nuit differs from Classique only round the board).
constexpr Rect MINIATURE_CROP{0, 0, 785, 521};
constexpr int MINI_W = 120, MINI_H = 80;

bool write(const Image& img, const fs::path& path) {
    if (save_image(img, path.string())) return true;
    std::fprintf(stderr, "quorvel-render: cannot write %s\n", path.string().c_str());
    return false;
}

bool write_2d(const Theme& theme, const fs::path& out, int samples) {
    const fs::path dir = out / "Images1i";
    struct Item {
        const char* name;
        bool dark;
        uint8_t code;
    };
    const Item squares[] = {{"1pba.BMP", true, qv::WHITE_MAN},  {"1pna.bmp", true, qv::BLACK_MAN},
                            {"1dba.bmp", true, qv::WHITE_KING}, {"1dna.bmp", true, qv::BLACK_KING},
                            {"1pva.bmp", true, qv::EMPTY},      {"1cache.BMP", false, qv::EMPTY}};
    Image tiles[5], light;
    for (const Item& it : squares) {
        Image img = render_square(theme, it.dark, it.code, 60, samples);
        if (!write(img, dir / it.name)) return false;
        if (it.dark)
            tiles[it.code] = img;
        else
            light = img;
    }
    const Item buttons[] = {{"b48.Bmp", true, qv::WHITE_MAN},
                            {"bd48.Bmp", true, qv::WHITE_KING},
                            {"n48.Bmp", true, qv::BLACK_MAN},
                            {"nd48.Bmp", true, qv::BLACK_KING},
                            {"v48.Bmp", true, qv::EMPTY}};
    for (const Item& it : buttons)
        if (!write(render_square(theme, it.dark, it.code, 48, samples), dir / it.name))
            return false;
    // The 2D miniature: the start position on the flat board, on the table's colour.
    Image board(480, 480);
    const Position start = start_position();
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) {
            const int s = qv::square_from_cell(row, col);
            const Image& tile = s ? tiles[start[s]] : light;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 60; ++x)
                    std::copy_n(tile.at(x, y), 3, board.at(col * 60 + x, row * 60 + y));
        }
    Image mini(MINI_W, MINI_H);
    for (int y = 0; y < MINI_H; ++y)
        for (int x = 0; x < MINI_W; ++x) {
            uint8_t* p = mini.at(x, y);
            p[0] = 58, p[1] = 38, p[2] = 26;
        }
    const Image small = shrink(board, {0, 0, 480, 480}, 72, 72);
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 72; ++x) std::copy_n(small.at(x, y), 3, mini.at(24 + x, 4 + y));
    return write(mini, out / "mini2di.bmp");
}

// The program's icon: a white king on a dark square, drawn large and reduced to each size
// of the desktop's icon theme.
bool write_icons(const Theme& theme, const fs::path& out, int samples) {
    fs::create_directories(out / "icons");
    const Image large = render_square(theme, true, qv::WHITE_KING, 256, samples);
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const Image icon = size == 256 ? large : shrink(large, {0, 0, 256, 256}, size, size);
        ok &= write(icon, out / "icons" / ("quorvel_" + std::to_string(size) + ".png"));
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string themes_dir, out_dir, stamp;
    int samples = SAMPLES_SIDE;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--themes")
            themes_dir = argv[i + 1];
        else if (key == "--out")
            out_dir = argv[i + 1];
        else if (key == "--stamp")
            stamp = argv[i + 1];
        else if (key == "--samples")
            samples = std::clamp(std::atoi(argv[i + 1]), 1, 6);
        else {
            std::fprintf(stderr, "quorvel-render: unknown option %s\n", key.c_str());
            return 2;
        }
    }
    if (themes_dir.empty() || out_dir.empty()) {
        std::fprintf(stderr, "usage: quorvel-render --themes DIR --out DIR [--stamp FILE]\n");
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(themes_dir))
        if (e.path().extension() == ".theme") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::vector<Theme> themes;
    for (const fs::path& f : files) {
        Theme t;
        std::string error;
        if (!load_theme(f.string(), t, error)) {
            std::fprintf(stderr, "quorvel-render: %s\n", error.c_str());
            return 1;
        }
        themes.push_back(t);
    }
    // Sprite sets are made by the style whose background number equals the set number.
    std::sort(themes.begin(), themes.end(), [](const Theme& a, const Theme& b) {
        return (a.sprites != a.background) < (b.sprites != b.background) ||
               ((a.sprites != a.background) == (b.sprites != b.background) &&
                a.background < b.background);
    });
    const fs::path out(out_dir);
    const View& view = board_view(samples);
    std::map<int, SpriteSet> sets;
    bool ok = true;
    for (const Theme& t : themes) {
        const Image bg = render_background(t, view);
        if (!sets.count(t.sprites)) {
            if (t.sprites != t.background) {
                std::fprintf(stderr,
                             "quorvel-render: %s uses sprite set %d, which no style makes\n",
                             t.name.c_str(), t.sprites);
                return 1;
            }
            sets[t.sprites] = render_sprites(t, view, bg);
            const std::string T = std::to_string(t.sprites);
            const fs::path dir = out / ("Images" + T + "i");
            fs::create_directories(dir);
            const char* prefix[5] = {"pv", "pb", "db", "pn", "dn"};
            for (int c = 0; c <= 4; ++c)
                for (int s = 1; s <= 32; ++s)
                    ok &= write(sets[t.sprites].sprite[c][s],
                                dir / (prefix[c] + T + "_" + std::to_string(s) + "i.bmp"));
        }
        const std::string N = std::to_string(t.background);
        const Image shown = composite(bg, sets[t.sprites], start_position());
        ok &= write(bg, out / ("damier" + N + "wi.bmp"));
        ok &= write(shown, out / ("damier" + N + "i.bmp"));
        ok &= write(shrink(shown, MINIATURE_CROP, MINI_W, MINI_H), out / t.miniature);
        if (t.background == 1) {
            fs::create_directories(out / "Images1i");
            ok &= write_2d(t, out, samples) && write_icons(t, out, samples);
        }
        std::printf(
            "quorvel-render: %s done at %.1f s\n", t.name.c_str(),
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    }
    if (!ok) return 1;
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("quorvel-render: %zu styles in %.1f s\n", themes.size(), secs);
    if (!stamp.empty()) std::ofstream(stamp) << "rendered\n";
    return 0;
}
