#include "camera.h"

#include <array>
#include <cmath>

#include "board/board.h"
#include "board/board3d_geometry.h"

namespace render {

Ray Camera::ray(double px, double py) const {
    if (ortho) return {eye + right * ((px - cx) / focal) - up * ((py - cy) / focal), forward};
    return {eye, normalize(forward * focal + right * (px - cx) - up * (py - cy))};
}

void Camera::project(const Vec3& p, double& px, double& py) const {
    const Vec3 v = p - eye;
    const double depth = dot(v, forward);
    px = cx + focal * dot(v, right) / depth;
    py = cy - focal * dot(v, up) / depth;
}

Camera CameraPose::camera() const {
    Camera c;
    const Vec3 target{tx, ty, BOARD_TOP};
    const Vec3 back{-std::sin(yaw) * std::cos(pitch), -std::cos(yaw) * std::cos(pitch),
                    std::sin(pitch)};
    c.eye = target + back * dist;
    c.forward = -back;
    const Vec3 r0 = normalize(cross(c.forward, Vec3{0, 0, 1}));
    const Vec3 u0 = cross(r0, c.forward);
    c.right = r0 * std::cos(roll) + u0 * std::sin(roll);
    c.up = u0 * std::cos(roll) - r0 * std::sin(roll);
    c.focal = focal;
    return c;
}

Vec3 square_centre(int s) {
    return {qv::square_column(s) + 0.5, 7.5 - qv::square_row(s), BOARD_TOP};
}

namespace {

constexpr int N = 7;
using Params = std::array<double, N>;

CameraPose pose_of(const Params& p) {
    return {p[0], p[1], p[2], p[3], p[4], p[5], p[6]};
}

// Residuals: 32 squares x (dx, dy).
std::array<double, 64> residuals(const Params& p) {
    const Camera cam = pose_of(p).camera();
    std::array<double, 64> r{};
    for (int s = 1; s <= 32; ++s) {
        double px, py;
        cam.project(square_centre(s), px, py);
        r[2 * (s - 1)] = px - (qv::BOARD3D_X[s] + ANCHOR_X);
        r[2 * (s - 1) + 1] = py - (qv::BOARD3D_Y[s] + ANCHOR_Y);
    }
    return r;
}

double cost(const std::array<double, 64>& r) {
    double c = 0;
    for (double v : r) c += v * v;
    return c;
}

// Solves a x = b for a small dense system (Gaussian elimination with pivoting).
Params solve(std::array<Params, N> a, Params b) {
    for (int i = 0; i < N; ++i) {
        int piv = i;
        for (int j = i + 1; j < N; ++j)
            if (std::fabs(a[j][i]) > std::fabs(a[piv][i])) piv = j;
        std::swap(a[i], a[piv]);
        std::swap(b[i], b[piv]);
        for (int j = i + 1; j < N; ++j) {
            const double f = a[j][i] / a[i][i];
            for (int k = i; k < N; ++k) a[j][k] -= f * a[i][k];
            b[j] -= f * b[i];
        }
    }
    Params x{};
    for (int i = N - 1; i >= 0; --i) {
        double v = b[i];
        for (int k = i + 1; k < N; ++k) v -= a[i][k] * x[k];
        x[i] = v / a[i][i];
    }
    return x;
}

}  // namespace

// Levenberg-Marquardt on the seven pose parameters, from a rough frontal view.
CameraPose fit_camera(double* max_error) {
    Params p{4.0, 4.0, 14.0, 0.0, 0.8, 0.0, 800.0};
    const Params step{1e-4, 1e-4, 1e-4, 1e-6, 1e-6, 1e-6, 1e-3};
    double lambda = 1e-3;
    auto r = residuals(p);
    double c = cost(r);
    for (int iter = 0; iter < 300; ++iter) {
        std::array<std::array<double, 64>, N> jac{};
        for (int k = 0; k < N; ++k) {
            Params q = p;
            q[k] += step[k];
            const auto rq = residuals(q);
            for (int i = 0; i < 64; ++i) jac[k][i] = (rq[i] - r[i]) / step[k];
        }
        std::array<Params, N> a{};
        Params g{};
        for (int i = 0; i < N; ++i) {
            for (int j = 0; j < N; ++j)
                for (int m = 0; m < 64; ++m) a[i][j] += jac[i][m] * jac[j][m];
            for (int m = 0; m < 64; ++m) g[i] -= jac[i][m] * r[m];
        }
        for (int i = 0; i < N; ++i) a[i][i] *= 1 + lambda;
        const Params d = solve(a, g);
        Params q = p;
        for (int i = 0; i < N; ++i) q[i] += d[i];
        const auto rq = residuals(q);
        const double cq = cost(rq);
        if (cq < c) {
            p = q, r = rq, c = cq;
            lambda = std::max(lambda * 0.3, 1e-9);
        } else {
            lambda *= 10;
        }
    }
    if (max_error) {
        double m = 0;
        for (int s = 0; s < 32; ++s) m = std::max(m, std::hypot(r[2 * s], r[2 * s + 1]));
        *max_error = m;
    }
    return pose_of(p);
}

}  // namespace render
