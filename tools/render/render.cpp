#include "render.h"

#include <cmath>
#include <thread>

#include "noise.h"
#include "shade.h"

namespace render {

namespace {

int g_threads = 0;

// Filmic tone curve, then the sRGB transfer function.
uint8_t encode(double v) {
    v = std::max(0.0, v);
    const double f = (v * (2.51 * v + 0.03)) / (v * (2.43 * v + 0.59) + 0.14);
    const double c = clamp01(f);
    const double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(clamp01(s) * 255));
}

}  // namespace

void set_render_threads(int n) {
    g_threads = n;
}

Image render_rect(const Scene& scene, const View& view, Rect rect) {
    Image img(rect.w, rect.h);
    const int n = view.samples_side;
    const double exposure = scene.theme.exposure;
    const double vig = scene.theme.vignette;
    const double hx = view.frame_w * 0.5, hy = view.frame_h * 0.5;
    auto row_job = [&](int y) {
        for (int x = 0; x < rect.w; ++x) {
            const int px = rect.x + x, py = rect.y + y;
            const uint32_t pixel = hash_combine(hash32(static_cast<uint32_t>(px) * 9781U + 7),
                                                static_cast<uint32_t>(py));
            Vec3 sum{0, 0, 0};
            for (int i = 0; i < n * n; ++i) {
                Sampler rng{hash_combine(pixel, static_cast<uint32_t>(i))};
                const double sx = px + ((i % n) + rng.next()) / n;
                const double sy = py + ((i / n) + rng.next()) / n;
                sum += trace(scene, view.camera.ray(sx, sy), rng);
            }
            const double dx = (px + 0.5 - hx) / hx, dy = (py + 0.5 - hy) / hy;
            const double v = exposure * (1 - vig * 0.5 * (dx * dx + dy * dy)) / (n * n);
            uint8_t* out = img.at(x, y);
            out[0] = encode(sum.x * v), out[1] = encode(sum.y * v), out[2] = encode(sum.z * v);
        }
    };
    int threads = g_threads > 0 ? g_threads : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, std::min(threads, rect.h));
    if (threads == 1) {
        for (int y = 0; y < rect.h; ++y) row_job(y);
        return img;
    }
    std::vector<std::thread> pool;
    for (int k = 0; k < threads; ++k)
        pool.emplace_back([&, k] {
            for (int y = k; y < rect.h; y += threads) row_job(y);
        });
    for (auto& t : pool) t.join();
    return img;
}

}  // namespace render
