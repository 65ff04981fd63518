#include "patterns.h"

#include <cmath>

#include "noise.h"

namespace render {

namespace {

Surface base(const Material& m, const Vec3& n) {
    return {m.a, m.specular, m.shine, m.reflect, m.glow * 0.0, n};
}

// Growth rings round an axis along x, bent by noise, with fine grain.
double wood_rings(const Vec3& q, double seed) {
    const Vec3 w{q.x * 0.15, q.y, q.z};
    const double warp = fbm(Vec3{w.x * 2 + seed, w.y * 1.5, w.z * 1.5}, 3);
    const double r = std::hypot(q.y + 3.1 * std::sin(seed), q.z + 2.0) * 1.0 + warp * 1.2;
    const double ring = r * 7 - std::floor(r * 7);
    return ring * ring * ring;
}

}  // namespace

Surface surface_at(const Material& m, const Vec3& p, const Vec3& n, double key) {
    Surface s = base(m, n);
    const Vec3 q = p * m.scale;
    const double seed = m.seed + key * 7.31;
    const Pattern pat = m.pattern;
    if (pat == Pattern::Plain) {
        return s;
    }
    if (pat == Pattern::Wood || pat == Pattern::Planks) {
        Vec3 w = q;
        double plank = 0;
        if (pat == Pattern::Planks) {
            // Boards along x, 1.6 units wide, each with its own grain.
            const double row = std::floor(q.y / 1.6);
            plank = row;
            const double seam = std::fabs(q.y / 1.6 - row - 0.5);
            if (seam > 0.485) s.albedo = m.b * 0.45, s.specular *= 0.3;
            w = Vec3{q.x + row * 13.7, q.y - row * 1.6, q.z + row * 3.3};
            if (seam > 0.485) return s;
        }
        const double t = wood_rings(w, seed + plank);
        const double grain = fbm(Vec3{w.x * 0.5, w.y * 14, w.z * 14 + seed}, 2);
        s.albedo = mix(m.a, m.b, clamp01(t * 0.8 + grain * 0.4 - 0.1));
        return s;
    }
    if (pat == Pattern::Marble) {
        const Vec3 r{q.x + seed, q.y - seed * 0.5, q.z};
        const double turb = fbm(r * 1.7, 5);
        const double v = std::sin((r.x * 0.9 + r.y * 0.6) * 2.5 + turb * 7.0);
        const double v1 = 1 - std::fabs(v), v2 = v1 * v1, v4 = v2 * v2;
        const double vein = v4 * v4 * v2;
        const double cloud = fbm(r * 4.0 + Vec3{3, 1, 2}, 3);
        s.albedo = mix(m.a * (0.92 + 0.16 * cloud), m.b, clamp01(vein * 0.6 + cloud * 0.1));
        return s;
    }
    if (pat == Pattern::Sand) {
        const double ripples = std::sin(q.y * 5 + fbm(q * 0.8, 3) * 6) * 0.5 + 0.5;
        const double speck = value_noise(q * 60.0);
        s.albedo = mix(m.a, m.b, clamp01(0.25 * ripples + 0.6 * fbm(q * 3, 3) - 0.2)) *
                   (0.9 + 0.2 * speck);
        return s;
    }
    if (pat == Pattern::Beach) {
        // Sand up to a wavy shore line at y = 9.2 (board units), then shallow sea.
        const double shore = 9.2 + 0.35 * std::sin(p.x * 0.8 + 1.3) + 0.3 * fbm(p * 0.7, 3);
        const double speck = value_noise(p * 60.0);
        Vec3 sand = mix(m.a, m.a * 0.82, fbm(p * 2.5, 3)) * (0.9 + 0.2 * speck);
        if (p.y < shore - 0.35) {
            s.albedo = sand;
            return s;
        }
        const Vec3 wet = sand * 0.62;
        if (p.y < shore) {
            s.albedo = mix(sand, wet, smoothstep(shore - 0.35, shore, p.y));
            s.reflect = 0.05;
            return s;
        }
        const double depth = clamp01((p.y - shore) / 2.2);
        const double foam =
            smoothstep(0.12, 0.0, std::fabs(p.y - shore - 0.1 - 0.08 * std::sin(p.x * 3)));
        s.albedo = mix(mix(wet, m.b, 0.6 + 0.4 * depth), Vec3{0.95, 0.97, 1.0}, foam * 0.8);
        s.reflect = 0.25 * (1 - foam);
        s.specular = 0.6, s.shine = 200;
        return s;
    }
    if (pat == Pattern::Stone) {
        const double mottle = fbm(q * 1.5 + Vec3{seed, 0, 0}, 5);
        const double speck = value_noise(q * 45.0);
        s.albedo = mix(m.a, m.b, clamp01(mottle * 1.4 - 0.2)) * (0.85 + 0.3 * speck);
        return s;
    }
    if (pat == Pattern::Lava) {
        // Black crust broken by glowing cracks.
        const Vec3 r = q + Vec3{seed, 0, 0};
        const Cell c = cellular(r.x, r.y, 0.9);
        const double edge = c.d2 - c.d1;
        const double crack = smoothstep(0.06, 0.0, edge + 0.05 * (fbm(r * 3, 3) - 0.5));
        const double live = smoothstep(0.45, 0.7, fbm(r * 0.6 + Vec3{9, 2, 4}, 3));
        const double crust = fbm(r * 3.0, 4);
        s.albedo = m.a * (0.6 + 0.8 * crust);
        s.glow = m.glow * (crack * (0.15 + 0.85 * live));
        s.albedo = mix(s.albedo, m.b, crack * (0.15 + 0.85 * live));
        return s;
    }
    if (pat == Pattern::Pebbles) {
        // Rounded stones of many greys set close together, dark mortar between.
        const Cell c = cellular(q.x, q.y, 0.85);
        const double edge = c.d2 - c.d1;
        const double tone = unit(c.id);
        const Vec3 stone =
            mix(m.a, m.b, tone) * (0.85 + 0.3 * fbm(q * 6 + Vec3{tone * 9, 0, 0}, 3));
        const double rim = smoothstep(0.0, 0.09, edge);
        s.albedo = mix(m.a * 0.25, stone, rim);
        // Domed stones: tilt the normal away from the cell centre near the rim.
        const double dx = q.x - c.cx, dy = q.y - c.cy;
        const double k = 0.9 * (1 - rim * 0.7);
        s.normal = normalize(Vec3{dx * k, dy * k, 1.0});
        return s;
    }
    if (pat == Pattern::Cloth) {
        const double weave = 0.5 + 0.25 * (std::sin(q.x * 180) + std::sin(q.y * 180));
        const double fold = fbm(q * 0.6, 3);
        s.albedo = mix(m.a, m.b, clamp01(fold * 1.3 - 0.3)) * (0.9 + 0.12 * weave);
        return s;
    }
    if (pat == Pattern::Gold) {
        s.albedo = m.a * (0.9 + 0.2 * fbm(q * 8, 2));
        return s;
    }
    return s;
}

}  // namespace render
