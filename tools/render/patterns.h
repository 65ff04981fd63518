// Procedural surfaces: wood, marble, sand, stone, lava, pebbles and the rest.
#pragma once

#include "shade.h"
#include "theme.h"

namespace render {

// Surface of material m at world point p with geometric normal n; `key` varies the
// pattern between objects (a square's number, a piece's square).
Surface surface_at(const Material& m, const Vec3& p, const Vec3& n, double key);

}  // namespace render
