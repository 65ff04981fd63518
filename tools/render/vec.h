// Small 3-vector used for points, directions and linear RGB colours.
#pragma once

#include <algorithm>
#include <cmath>

namespace render {

struct Vec3 {
    double x = 0, y = 0, z = 0;
    constexpr Vec3() = default;
    constexpr Vec3(double a, double b, double c) : x(a), y(b), z(c) {}
    constexpr Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3 operator*(const Vec3& o) const { return {x * o.x, y * o.y, z * o.z}; }
    constexpr Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
    constexpr Vec3 operator/(double k) const { return {x / k, y / k, z / k}; }
    constexpr Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3& operator+=(const Vec3& o) {
        x += o.x, y += o.y, z += o.z;
        return *this;
    }
};

constexpr Vec3 operator*(double k, const Vec3& v) {
    return v * k;
}
constexpr double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
constexpr Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& v) {
    return std::sqrt(dot(v, v));
}
inline Vec3 normalize(const Vec3& v) {
    return v / length(v);
}
constexpr Vec3 mix(const Vec3& a, const Vec3& b, double t) {
    return a * (1 - t) + b * t;
}
inline Vec3 reflect(const Vec3& d, const Vec3& n) {
    return d - n * (2 * dot(d, n));
}
constexpr double clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
inline double smoothstep(double a, double b, double v) {
    const double t = clamp01((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

struct Ray {
    Vec3 o, d;
};

}  // namespace render
