#include "scene.h"

#include <cmath>

#include "board/board.h"
#include "camera.h"

namespace render {

namespace {

constexpr double EPS = 1e-7;

// Builds segments from a polyline and smooths normals across gentle corners.
Profile from_points(const std::vector<std::array<double, 2>>& pts) {
    Profile p;
    const size_t n = pts.size() - 1;
    std::vector<std::array<double, 2>> normals(n);
    for (size_t i = 0; i < n; ++i) {
        const double dr = pts[i + 1][0] - pts[i][0], dz = pts[i + 1][1] - pts[i][1];
        const double len = std::hypot(dr, dz);
        normals[i] = {dz / len, -dr / len};
    }
    for (size_t i = 0; i < n; ++i) {
        ProfileSegment s{pts[i][0],     pts[i][1],     pts[i + 1][0], pts[i + 1][1],
                         normals[i][0], normals[i][1], normals[i][0], normals[i][1]};
        auto blend = [&](size_t j, double& nr, double& nz) {
            const double c = normals[i][0] * normals[j][0] + normals[i][1] * normals[j][1];
            if (c < 0.75) return;  // a real edge
            const double br = normals[i][0] + normals[j][0], bz = normals[i][1] + normals[j][1];
            const double len = std::hypot(br, bz);
            nr = br / len, nz = bz / len;
        };
        if (i > 0) blend(i - 1, s.nr0, s.nz0);
        if (i + 1 < n) blend(i + 1, s.nr1, s.nz1);
        p.segments.push_back(s);
        p.rmax = std::max({p.rmax, s.r0, s.r1});
        p.zmax = std::max({p.zmax, s.z0, s.z1});
    }
    return p;
}

// Adds a rounded corner from (r, z) turning from direction a to direction b.
void arc(std::vector<std::array<double, 2>>& pts, double cr, double cz, double radius, double from,
         double to, int steps) {
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        pts.push_back({cr + radius * std::cos(a), cz + radius * std::sin(a)});
    }
}

// One disc of height h and radius R standing at z0, its outside only (no caps).
void disc_side(std::vector<std::array<double, 2>>& pts, double z0, double R, double h,
               double round) {
    const double pi = 3.14159265358979;
    arc(pts, R - round, z0 + round, round, -pi / 2, 0, 3);
    arc(pts, R - round, z0 + h - round, round, 0, pi / 2, 3);
}

}  // namespace

Profile make_profile(const std::string& shape, bool king) {
    std::vector<std::array<double, 2>> pts;
    const double pi = 3.14159265358979;
    if (shape == "pebble") {
        // A flattened river stone; a king carries a smaller one on its back.
        const double R = 0.37, H = 0.17;
        pts.push_back({0, 0});
        for (int i = 1; i <= 12; ++i) {
            const double a = -pi / 2 + pi * i / 12.0;
            const double c = std::cos(a), s = std::sin(a);
            pts.push_back({R * std::pow(c, 0.45),
                           H * 0.5 * (1 + (s < 0 ? -1 : 1) * std::pow(std::fabs(s), 0.8))});
        }
        if (king) {
            const double R2 = 0.31, H2 = 0.15, z0 = H - 0.015;
            pts.pop_back();
            pts.push_back({0.22, H - 0.008});
            for (int i = 1; i <= 12; ++i) {
                const double a = -pi / 2 + pi * i / 12.0;
                const double c = std::cos(a), s = std::sin(a);
                if (s < -0.3) continue;
                pts.push_back(
                    {R2 * std::pow(c, 0.45),
                     z0 + H2 * 0.5 * (1 + (s < 0 ? -1 : 1) * std::pow(std::fabs(s), 0.8))});
            }
        }
        pts.back()[0] = 0;
        return from_points(pts);
    }
    const bool glass = shape == "glass";
    const double R = 0.375, h = 0.15, round = glass ? 0.05 : 0.03;
    const int discs = king ? 2 : 1;
    pts.push_back({0, 0});
    for (int d = 0; d < discs; ++d) disc_side(pts, d * h, R, h, round);
    const double top = discs * h;
    // Engraved ring on the top face.
    pts.push_back({0.275, top});
    pts.push_back({0.262, top - 0.02});
    pts.push_back({0.238, top - 0.02});
    pts.push_back({0.225, top});
    pts.push_back({0, top});
    return from_points(pts);
}

Scene::Scene(const Theme& t)
    : theme(t), man(make_profile(t.pieces, false)), king(make_profile(t.pieces, true)) {}

void Scene::set_position(const std::array<uint8_t, 33>& position) {
    pieces.clear();
    for (int s = 1; s <= 32; ++s) {
        const uint8_t c = position[s];
        if (c < 1 || c > 4) continue;
        const Vec3 centre = square_centre(s);
        pieces.push_back({centre.x, centre.y, c, qv::is_king(c) ? &king : &man});
    }
}

bool Scene::intersect_piece(const Ray& r, int index, double tmax, Hit& hit) const {
    const Piece& pc = pieces[index];
    const Profile& prof = *pc.profile;
    // Pieces stand a hair above the board so that a ray inside one meets its base first.
    const Vec3 o{r.o.x - pc.x, r.o.y - pc.y, r.o.z - (BOARD_TOP + 1e-4)};
    const Vec3& d = r.d;
    // Bounding box first.
    double t0 = 1e-6, t1 = tmax;
    const double lo[3] = {-prof.rmax, -prof.rmax, 0}, hi[3] = {prof.rmax, prof.rmax, prof.zmax};
    const double oo[3] = {o.x, o.y, o.z}, dd[3] = {d.x, d.y, d.z};
    for (int k = 0; k < 3; ++k) {
        if (std::fabs(dd[k]) < 1e-12) {
            if (oo[k] < lo[k] || oo[k] > hi[k]) return false;
            continue;
        }
        double a = (lo[k] - oo[k]) / dd[k], b = (hi[k] - oo[k]) / dd[k];
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a), t1 = std::min(t1, b);
        if (t0 > t1) return false;
    }
    double best = tmax;
    const ProfileSegment* seg_hit = nullptr;
    double u_hit = 0;
    for (const ProfileSegment& s : prof.segments) {
        if (std::fabs(s.z1 - s.z0) < 1e-12) {
            if (std::fabs(d.z) < 1e-12) continue;
            const double t = (s.z0 - o.z) / d.z;
            if (t <= 1e-6 || t >= best) continue;
            const double x = o.x + t * d.x, y = o.y + t * d.y;
            const double rr = std::sqrt(x * x + y * y);
            if (rr < std::min(s.r0, s.r1) || rr > std::max(s.r0, s.r1)) continue;
            best = t, seg_hit = &s, u_hit = (rr - s.r0) / (s.r1 - s.r0);
            continue;
        }
        const double k = (s.r1 - s.r0) / (s.z1 - s.z0);
        const double a0 = s.r0 - k * s.z0;
        const double ra = a0 + k * o.z;
        const double A = d.x * d.x + d.y * d.y - k * k * d.z * d.z;
        const double B = 2 * (o.x * d.x + o.y * d.y - k * ra * d.z);
        const double C = o.x * o.x + o.y * o.y - ra * ra;
        double roots[2];
        int count = 0;
        if (std::fabs(A) < 1e-12) {
            if (std::fabs(B) < 1e-12) continue;
            roots[count++] = -C / B;
        } else {
            const double disc = B * B - 4 * A * C;
            if (disc < 0) continue;
            const double sq = std::sqrt(disc);
            const double q = -0.5 * (B + (B < 0 ? -sq : sq));
            double x0 = q / A, x1 = std::fabs(q) > 1e-300 ? C / q : x0;
            if (x0 > x1) std::swap(x0, x1);
            roots[count++] = x0;
            roots[count++] = x1;
        }
        for (int i = 0; i < count; ++i) {
            const double t = roots[i];
            if (t <= 1e-6 || t >= best) continue;
            const double z = o.z + t * d.z;
            if (z < std::min(s.z0, s.z1) - EPS || z > std::max(s.z0, s.z1) + EPS) continue;
            if (a0 + k * z < 0) continue;
            best = t, seg_hit = &s, u_hit = (z - s.z0) / (s.z1 - s.z0);
            break;
        }
    }
    if (!seg_hit) return false;
    const double nr = seg_hit->nr0 + (seg_hit->nr1 - seg_hit->nr0) * u_hit;
    const double nz = seg_hit->nz0 + (seg_hit->nz1 - seg_hit->nz0) * u_hit;
    const Vec3 lp = o + d * best;
    const double rr = std::hypot(lp.x, lp.y);
    Vec3 n = rr > 1e-9 ? Vec3{nr * lp.x / rr, nr * lp.y / rr, nz} : Vec3{0, 0, nz > 0 ? 1.0 : -1.0};
    hit.t = best;
    hit.p = r.o + d * best;
    hit.n = normalize(n);
    hit.part = Part::Piece;
    hit.piece = index;
    return true;
}

bool Scene::intersect(const Ray& r, double tmax, Hit& hit) const {
    bool found = false;
    hit.t = tmax;
    // Table top z = 0.
    if (r.d.z < -1e-12) {
        const double t = -r.o.z / r.d.z;
        if (t > 1e-6 && t < hit.t) {
            hit.t = t, hit.p = r.o + r.d * t, hit.n = {0, 0, 1}, hit.part = Part::Table;
            found = true;
        }
    }
    // Board box.
    {
        const double f = theme.frame_width;
        const double lo[3] = {-f, -f, 0}, hi[3] = {8 + f, 8 + f, BOARD_TOP};
        const double oo[3] = {r.o.x, r.o.y, r.o.z}, dd[3] = {r.d.x, r.d.y, r.d.z};
        double t0 = 1e-6, t1 = hit.t;
        int axis = -1;
        bool inside = true;
        for (int k = 0; k < 3 && inside; ++k) {
            if (std::fabs(dd[k]) < 1e-12) {
                if (oo[k] < lo[k] || oo[k] > hi[k]) inside = false;
                continue;
            }
            double a = (lo[k] - oo[k]) / dd[k], b = (hi[k] - oo[k]) / dd[k];
            if (a > b) std::swap(a, b);
            if (a > t0) t0 = a, axis = k;
            t1 = std::min(t1, b);
            if (t0 > t1) inside = false;
        }
        if (inside && axis >= 0 && t0 < hit.t) {
            Vec3 n{0, 0, 0};
            const double s = dd[axis] > 0 ? -1.0 : 1.0;
            (axis == 0 ? n.x : axis == 1 ? n.y : n.z) = s;
            hit.t = t0, hit.p = r.o + r.d * t0, hit.n = n, hit.part = Part::Board;
            hit.piece = -1;
            found = true;
        }
    }
    for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
        Hit h;
        if (intersect_piece(r, i, hit.t, h)) {
            hit = h;
            found = true;
        }
    }
    return found;
}

}  // namespace render
