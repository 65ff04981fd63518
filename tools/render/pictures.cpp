#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "board/board.h"
#include "board/board3d_geometry.h"

namespace render {

Position start_position() {
    Position p{};
    p[0] = qv::OFF_BOARD;
    for (int s = 1; s <= 12; ++s) p[s] = qv::BLACK_MAN;
    for (int s = 21; s <= 32; ++s) p[s] = qv::WHITE_MAN;
    return p;
}

Position empty_position() {
    Position p{};
    p[0] = qv::OFF_BOARD;
    return p;
}

const View& board_view(int samples_side) {
    static std::mutex lock;
    static View views[8];
    static bool made[8] = {};
    std::lock_guard<std::mutex> guard(lock);
    if (!made[samples_side]) {
        views[samples_side] = {fit_camera().camera(), qv::BOARD3D_WIDTH, qv::BOARD3D_HEIGHT,
                               samples_side};
        made[samples_side] = true;
    }
    return views[samples_side];
}

bool owned_pixel(int place, int bx, int by) {
    const int x = qv::BOARD3D_X[place] + bx, y = qv::BOARD3D_Y[place] + by;
    for (int t = 1; t <= 32; ++t) {
        if (t == place) continue;
        if (x >= qv::BOARD3D_X[t] && x < qv::BOARD3D_X[t] + qv::BOARD3D_SPRITE &&
            y >= qv::BOARD3D_Y[t] && y < qv::BOARD3D_Y[t] + qv::BOARD3D_SPRITE)
            return false;
    }
    return true;
}

Image render_background(const Theme& theme, const View& view) {
    Scene scene(theme);
    return render_rect(scene, view, {0, 0, view.frame_w, view.frame_h});
}

namespace {

// Pixels of a box that a piece on its square can change: the piece, its mirror image in a
// polished board, shadows and contact darkening within a margin round its foot.
Rect influence(const View& view, const Scene& scene, int place) {
    const Vec3 c = square_centre(place);
    const double r = scene.king.rmax + 0.3, h = scene.king.zmax;
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (int k = 0; k < 8; ++k) {
        const Vec3 p{c.x + (k & 1 ? r : -r), c.y + (k & 2 ? r : -r), BOARD_TOP + (k & 4 ? h : -h)};
        double px, py;
        view.camera.project(p, px, py);
        x0 = std::min(x0, px), x1 = std::max(x1, px), y0 = std::min(y0, py), y1 = std::max(y1, py);
    }
    const int bx = qv::BOARD3D_X[place], by = qv::BOARD3D_Y[place], S = qv::BOARD3D_SPRITE;
    const int l = std::clamp(int(std::floor(x0)) - 1 - bx, 0, S);
    const int t = std::clamp(int(std::floor(y0)) - 1 - by, 0, S);
    const int rr = std::clamp(int(std::ceil(x1)) + 1 - bx, 0, S);
    const int b = std::clamp(int(std::ceil(y1)) + 1 - by, 0, S);
    return {bx + l, by + t, rr - l, b - t};
}

}  // namespace

SpriteSet render_sprites(const Theme& theme, const View& view, const Image& background) {
    SpriteSet set;
    Scene scene(theme);
    const int S = qv::BOARD3D_SPRITE;
    for (int t = 1; t <= 32; ++t) {
        const int x0 = qv::BOARD3D_X[t], y0 = qv::BOARD3D_Y[t];
        Image empty(S, S);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x)
                std::copy_n(background.at(x0 + x, y0 + y), 3, empty.at(x, y));
        set.sprite[0][t] = empty;
        for (uint8_t c = 1; c <= 4; ++c) {
            Position p = empty_position();
            p[t] = c;
            scene.set_position(p);
            const Rect near = influence(view, scene, t);
            const Image part = render_rect(scene, view, near);
            Image img = empty;
            for (int y = 0; y < part.h; ++y)
                for (int x = 0; x < part.w; ++x) {
                    const int bx = near.x - x0 + x, by = near.y - y0 + y;
                    if (owned_pixel(t, bx, by)) std::copy_n(part.at(x, y), 3, img.at(bx, by));
                }
            set.sprite[c][t] = std::move(img);
        }
    }
    return set;
}

Image composite(const Image& background, const SpriteSet& set, const Position& position) {
    Image out = background;
    for (int t = 1; t <= 32; ++t) {
        const Image& sp = set.sprite[position[t] <= 4 ? position[t] : 0][t];
        for (int y = 0; y < sp.h; ++y)
            for (int x = 0; x < sp.w; ++x)
                std::copy_n(sp.at(x, y), 3, out.at(qv::BOARD3D_X[t] + x, qv::BOARD3D_Y[t] + y));
    }
    return out;
}

Image render_position(const Theme& theme, const View& view, const Position& position, Rect rect) {
    Scene scene(theme);
    scene.set_position(position);
    return render_rect(scene, view, rect);
}

Image render_square(const Theme& theme, bool dark, uint8_t code, int size, int samples_side) {
    // Row 4: column 2 is dark (square 19), column 3 light; looked at from straight above.
    const double cx = dark ? 2.5 : 3.5, cy = 3.5;
    Scene scene(theme);
    Position p = empty_position();
    if (dark) p[qv::square_from_cell(4, 2)] = code;
    scene.set_position(p);
    Camera cam;
    cam.ortho = true;
    cam.eye = {cx, cy, 10};
    cam.forward = {0, 0, -1};
    cam.right = {1, 0, 0};
    cam.up = {0, 1, 0};
    cam.focal = size;
    cam.cx = cam.cy = size * 0.5;
    Theme flat = theme;
    flat.vignette = 0;
    scene.theme = flat;
    return render_rect(scene, {cam, size, size, samples_side}, {0, 0, size, size});
}

Image shrink(const Image& src, Rect region, int w, int h) {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double x0 = region.x + double(region.w) * x / w;
            const double x1 = region.x + double(region.w) * (x + 1) / w;
            const double y0 = region.y + double(region.h) * y / h;
            const double y1 = region.y + double(region.h) * (y + 1) / h;
            double acc[3] = {0, 0, 0}, area = 0;
            for (int sy = int(y0); sy < int(std::ceil(y1)); ++sy)
                for (int sx = int(x0); sx < int(std::ceil(x1)); ++sx) {
                    const double wx = std::min<double>(sx + 1, x1) - std::max<double>(sx, x0);
                    const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                    const double a = wx * wy;
                    if (a <= 0) continue;
                    const uint8_t* p = src.at(sx, sy);
                    for (int k = 0; k < 3; ++k) acc[k] += a * p[k];
                    area += a;
                }
            for (int k = 0; k < 3; ++k)
                out.at(x, y)[k] = static_cast<uint8_t>(std::lround(acc[k] / area));
        }
    return out;
}

}  // namespace render
