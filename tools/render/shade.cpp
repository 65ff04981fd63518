#include "shade.h"

#include <cmath>

#include "board/board.h"
#include "camera.h"
#include "noise.h"
#include "patterns.h"

namespace render {

double Sampler::next() {
    return unit(hash_combine(seed, counter++));
}

namespace {

constexpr int MAX_DEPTH = 6;
constexpr double PI = 3.14159265358979;

Vec3 sky(const Theme& t, const Vec3& d) {
    return mix(t.sky_bottom, t.sky_top, clamp01(d.z * 0.5 + 0.5));
}

Vec3 pow3(const Vec3& v, double e) {
    return {std::pow(v.x, e), std::pow(v.y, e), std::pow(v.z, e)};
}

bool in_crown(const Piece& pc, const Vec3& p, bool pebble) {
    if (!qv::is_king(pc.code)) return false;
    const double lx = p.x - pc.x, ly = p.y - pc.y, lz = p.z - BOARD_TOP;
    const double r = std::hypot(lx, ly);
    const double top = pc.profile->zmax;
    if (pebble) {
        if (lz < top - 0.035) return false;
    } else if (lz < top - 0.02) {
        return false;
    }
    if (!pebble && r > 0.222 && r < 0.272) return true;  // the engraved ring, gilded
    const double a0 = std::atan2(ly, lx) - PI / 2;
    const double sector = 2 * PI / 5;
    const double a = std::fmod(a0 + 20 * PI + sector / 2, sector) - sector / 2;
    const double edge = 0.07 + 0.11 * std::pow(1 - std::fabs(a) / (sector / 2), 1.8);
    return r < edge * (pebble ? 0.9 : 1.0);
}

// What a shadow ray from p toward a light lets through.
Vec3 transmission(const Scene& scene, Vec3 p, const Vec3& dir, double dist) {
    Vec3 through{1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        Hit h;
        if (!scene.intersect({p, dir}, dist, h)) return through;
        if (h.part != Part::Piece) return {0, 0, 0};
        const Piece& pc = scene.pieces[h.piece];
        const Material& m = qv::is_white(pc.code) ? scene.theme.white : scene.theme.black;
        if (m.glass <= 0) return {0, 0, 0};
        through = through * m.tint * (0.75 * (1 - m.milk));
        p = h.p + dir * 1e-5;
        dist -= h.t;
    }
    return through;
}

// Contact darkening under and around the pieces, worked out from their distance.
double occlusion(const Scene& scene, const Hit& hit) {
    double ao = 1;
    if (hit.part == Part::Board && hit.n.z > 0.5) {
        for (const Piece& pc : scene.pieces) {
            const double d = std::hypot(hit.p.x - pc.x, hit.p.y - pc.y) - pc.profile->rmax;
            if (d > 0 && d < 0.4) ao *= 1 - 0.5 * std::exp(-d / 0.05);
        }
    } else if (hit.part == Part::Piece) {
        const double lz = hit.p.z - BOARD_TOP;
        ao *= 1 - 0.35 * std::exp(-lz / 0.025) * clamp01(-hit.n.z + 0.6);
    }
    return ao;
}

struct Shading {
    const Material* material;
    double key;
    bool board_side;  // lit as part of the board (not the room)
};

Shading material_of(const Scene& scene, const Hit& hit) {
    const Theme& t = scene.theme;
    if (hit.part == Part::Table) return {&t.table, 0, false};
    if (hit.part == Part::Piece) {
        const Piece& pc = scene.pieces[hit.piece];
        if (in_crown(pc, hit.p, t.pebbles())) return {&t.crown, 0, true};
        const Material* m = qv::is_white(pc.code) ? &t.white : &t.black;
        return {m, std::floor(pc.x) * 8 + std::floor(pc.y), true};
    }
    const Vec3& p = hit.p;
    if (hit.n.z > 0.5 && p.x >= 0 && p.x < 8 && p.y >= 0 && p.y < 8) {
        const int col = static_cast<int>(p.x), row = 7 - static_cast<int>(p.y);
        const double key = row * 8 + col;
        return {(col + row) % 2 == 0 ? &t.dark_square : &t.light_square, key, true};
    }
    // A fine inlaid line round the playing area.
    const double out = std::max({-p.x, p.x - 8, -p.y, p.y - 8});
    if (hit.n.z > 0.5 && out > 0.03 && out < 0.07) return {&t.crown, 1, true};
    return {&t.frame, 2, true};
}

Vec3 direct_light(const Scene& scene, const Hit& hit, const Surface& s, const Vec3& view,
                  bool board_side, Sampler& rng) {
    const Theme& t = scene.theme;
    Vec3 sum{0, 0, 0};
    const Vec3 centre{4, 4, BOARD_TOP};
    for (const Light& l : t.lights) {
        if (l.scope == Scope::Board && !board_side) continue;
        if (l.scope == Scope::Room && board_side) continue;
        Vec3 dir;
        double dist;
        Vec3 irr = l.colour * l.power;
        const double u1 = rng.next(), u2 = rng.next();
        if (l.sun) {
            const Vec3 a =
                normalize(cross(l.at, std::fabs(l.at.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0}));
            const Vec3 b = cross(l.at, a);
            const double rr = l.radius * std::sqrt(u1), phi = 2 * PI * u2;
            dir = normalize(l.at + a * (rr * std::cos(phi)) + b * (rr * std::sin(phi)));
            dist = 1e9;
        } else {
            const double z = 1 - 2 * u1, rxy = std::sqrt(std::max(0.0, 1 - z * z));
            const Vec3 onto =
                l.at + Vec3{rxy * std::cos(2 * PI * u2), rxy * std::sin(2 * PI * u2), z} * l.radius;
            const Vec3 to = onto - hit.p;
            dist = length(to);
            dir = to / dist;
            const Vec3 c0 = l.at - centre;
            irr = irr * (dot(c0, c0) / (dist * dist));
        }
        const double ndl = dot(s.normal, dir);
        if (ndl <= 0 || dot(hit.n, dir) <= 0) continue;
        const Vec3 vis = transmission(scene, hit.p + hit.n * 1e-5, dir, dist);
        if (vis.x + vis.y + vis.z <= 0) continue;
        const Vec3 h = normalize(dir + view);
        const double hl = std::pow(std::max(0.0, dot(s.normal, h)), s.shine);
        sum += vis * irr * (s.albedo * ndl + Vec3{1, 1, 1} * (s.specular * hl * ndl));
    }
    return sum;
}

Vec3 shade_opaque(const Scene& scene, const Ray& ray, const Hit& hit, const Shading& sh,
                  Sampler& rng, int depth) {
    const Theme& t = scene.theme;
    Surface s = surface_at(*sh.material, hit.p, hit.n, sh.key);
    const Vec3 view = -ray.d;
    if (dot(s.normal, view) < 0 && hit.part != Part::Piece) s.normal = hit.n;
    Vec3 c = s.glow;
    const Vec3 amb = sh.board_side ? t.ambient_board : t.ambient_room;
    c += amb * s.albedo * (occlusion(scene, hit) * (0.55 + 0.45 * std::max(0.0, s.normal.z)));
    c += direct_light(scene, hit, s, view, sh.board_side, rng);
    if (s.reflect > 0 && depth < MAX_DEPTH - 2) {
        const double cosv = clamp01(dot(s.normal, view));
        const double f = s.reflect + (1 - s.reflect) * std::pow(1 - cosv, 5) * 0.5;
        Vec3 rd = reflect(ray.d, s.normal);
        if (dot(rd, hit.n) <= 0) rd = reflect(ray.d, hit.n);
        const Vec3 seen = trace(scene, {hit.p + hit.n * 1e-5, rd}, rng, depth + 1);
        const Vec3 tintv = sh.material == &t.crown ? s.albedo * 1.4 : Vec3{1, 1, 1};
        c = c * (1 - f) + seen * tintv * f;
    }
    return c;
}

Vec3 shade_glass(const Scene& scene, const Ray& ray, const Hit& hit, const Shading& sh,
                 Sampler& rng, int depth) {
    const Material& m = *sh.material;
    Vec3 n = hit.n;
    const bool inside = dot(ray.d, n) > 0;
    if (inside) n = -n;
    const double eta = inside ? m.ior : 1 / m.ior;
    const double cosi = -dot(ray.d, n);
    const double k = 1 - eta * eta * (1 - cosi * cosi);
    if (inside) {
        // Leaving the body: follow the refracted ray only (light trapped by total internal
        // reflection is lost), tinted by the path travelled inside.
        if (k < 0) return {0, 0, 0};
        const Vec3 td = normalize(ray.d * eta + n * (eta * cosi - std::sqrt(k)));
        return trace(scene, {hit.p - n * 1e-5, td}, rng, depth + 1) * pow3(m.tint, hit.t * 8);
    }
    const double r0 = std::pow((1 - m.ior) / (1 + m.ior), 2);
    double fres = r0 + (1 - r0) * std::pow(1 - cosi, 5);
    Vec3 through{0, 0, 0};
    if (k < 0) {
        fres = 1;
    } else {
        const Vec3 td = normalize(ray.d * eta + n * (eta * cosi - std::sqrt(k)));
        through = trace(scene, {hit.p - n * 1e-5, td}, rng, depth + 1);
    }
    const Vec3 refl = depth == 0
                          ? trace(scene, {hit.p + n * 1e-5, reflect(ray.d, n)}, rng, MAX_DEPTH - 1)
                          : sky(scene.theme, reflect(ray.d, n));
    Vec3 c = through * (1 - fres) + refl * fres;
    if (m.milk > 0) {
        const Vec3 body = shade_opaque(scene, ray, hit, sh, rng, MAX_DEPTH);
        c = c * (1 - m.milk) + body * m.milk;
    }
    // Highlights of the lights on the polished surface.
    Surface s = surface_at(m, hit.p, n, sh.key);
    s.albedo = {0, 0, 0};
    c += direct_light(scene, hit, s, -ray.d, true, rng);
    return c;
}

}  // namespace

Vec3 trace(const Scene& scene, const Ray& ray, Sampler& rng, int depth) {
    if (depth >= MAX_DEPTH) return sky(scene.theme, ray.d) * 0.5;
    Hit hit;
    if (!scene.intersect(ray, 1e9, hit)) return sky(scene.theme, ray.d);
    const Shading sh = material_of(scene, hit);
    if (hit.part == Part::Piece && sh.material->glass > 0)
        return shade_glass(scene, ray, hit, sh, rng, depth);
    return shade_opaque(scene, ray, hit, sh, rng, depth);
}

}  // namespace render
