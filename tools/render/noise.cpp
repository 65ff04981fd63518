#include "noise.h"

#include <cmath>
#include <utility>

namespace render {

namespace {

// Lattice values from a fixed permutation (as in classic gradient noise): cheaper than
// hashing every corner.
struct Lattice {
    uint8_t perm[512];
    double value[256];
    Lattice() {
        for (int i = 0; i < 256; ++i) perm[i] = static_cast<uint8_t>(i);
        for (int i = 255; i > 0; --i) {
            const int j =
                static_cast<int>(hash32(static_cast<uint32_t>(i) * 2654435761U) % (i + 1));
            std::swap(perm[i], perm[j]);
        }
        for (int i = 0; i < 256; ++i) {
            perm[256 + i] = perm[i];
            value[i] = unit(hash32(static_cast<uint32_t>(i) + 0x51ed270bU));
        }
    }
};
const Lattice LATTICE;

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}
}  // namespace

double value_noise(const Vec3& p) {
    const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int x = static_cast<int>(fx) & 255, y = static_cast<int>(fy) & 255,
              z = static_cast<int>(fz) & 255;
    const double u = fade(p.x - fx), v = fade(p.y - fy), w = fade(p.z - fz);
    const uint8_t* P = LATTICE.perm;
    const double* V = LATTICE.value;
    const int a = P[x] + y, b = P[x + 1] + y;
    const int aa = P[a] + z, ab = P[a + 1] + z, ba = P[b] + z, bb = P[b + 1] + z;
    auto lerp = [](double s, double t, double k) { return s + (t - s) * k; };
    const double x00 = lerp(V[P[aa]], V[P[ba]], u);
    const double x10 = lerp(V[P[ab]], V[P[bb]], u);
    const double x01 = lerp(V[P[aa + 1]], V[P[ba + 1]], u);
    const double x11 = lerp(V[P[ab + 1]], V[P[bb + 1]], u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w);
}

double fbm(const Vec3& p, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    Vec3 q = p;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value_noise(q);
        norm += amp;
        amp *= 0.5;
        q = Vec3{q.x * 2.03 + 1.7, q.y * 2.01 - 3.1, q.z * 1.97 + 0.6};
    }
    return sum / norm;
}

double ridged(const Vec3& p, int octaves) {
    double sum = 0, amp = 0.5, norm = 0;
    Vec3 q = p;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * std::fabs(value_noise(q) * 2 - 1);
        norm += amp;
        amp *= 0.5;
        q = Vec3{q.x * 2.1 + 5.2, q.y * 2.05 - 1.3, q.z * 1.93 + 2.9};
    }
    return sum / norm;
}

Cell cellular(double x, double y, double jitter) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    Cell c{1e9, 1e9, 0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const uint32_t h = hash_combine(hash32(static_cast<uint32_t>(ix + dx) * 73856093U),
                                            static_cast<uint32_t>(iy + dy) * 19349663U);
            const double px = ix + dx + 0.5 + jitter * (unit(h) - 0.5);
            const double py = iy + dy + 0.5 + jitter * (unit(hash32(h)) - 0.5);
            const double d = std::hypot(px - x, py - y);
            if (d < c.d1) {
                c.d2 = c.d1;
                c.d1 = d, c.id = h, c.cx = px, c.cy = py;
            } else if (d < c.d2) {
                c.d2 = d;
            }
        }
    return c;
}

}  // namespace render
