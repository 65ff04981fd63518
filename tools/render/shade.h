// Light transport: what colour a ray brings back from the scene.
#pragma once

#include <cstdint>

#include "scene.h"

namespace render {

// Surface properties at a point, from the material's pattern.
struct Surface {
    Vec3 albedo;
    double specular, shine, reflect;
    Vec3 glow;
    Vec3 normal;
};

// Random numbers for one camera sample: fixed by pixel and sample index, so that every
// render of a pixel draws the same numbers whatever else is in the picture.
struct Sampler {
    uint32_t seed;
    uint32_t counter = 0;
    double next();
};

Vec3 trace(const Scene& scene, const Ray& ray, Sampler& rng, int depth = 0);

}  // namespace render
