// Deterministic hashing and noise for procedural materials and sampling.
#pragma once

#include <cstdint>

#include "vec.h"

namespace render {

inline uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}
inline uint32_t hash_combine(uint32_t a, uint32_t b) {
    return hash32(a ^ (b + 0x9e3779b9U + (a << 6) + (a >> 2)));
}
// Uniform in [0, 1).
inline double unit(uint32_t h) {
    return (h >> 8) * (1.0 / 16777216.0);
}

double value_noise(const Vec3& p);              // smooth, in [0, 1]
double fbm(const Vec3& p, int octaves = 4);     // sum of octaves, about [0, 1]
double ridged(const Vec3& p, int octaves = 4);  // 0 on ridges, up to about 1

// Nearest and second-nearest feature distances of a 2D cellular pattern, and the id of
// the nearest cell.
struct Cell {
    double d1, d2;
    uint32_t id;
    double cx, cy;  // nearest feature point
};
Cell cellular(double x, double y, double jitter = 0.8);

}  // namespace render
