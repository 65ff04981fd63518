// Board style files: a style accepted has a name, a miniature, a background and sprite set
// that exist, and only finite numbers; anything else is refused with the line at fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_check.h"
#include "theme.h"

namespace {

bool finite(const render::Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool finite(const render::Material& m) {
    return finite(m.a) && finite(m.b) && finite(m.tint) && finite(m.glow) &&
           std::isfinite(m.scale) && std::isfinite(m.specular) && std::isfinite(m.shine) &&
           std::isfinite(m.reflect) && std::isfinite(m.glass) && std::isfinite(m.ior) &&
           std::isfinite(m.milk) && std::isfinite(m.seed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    render::Theme t;
    std::string error;
    if (!render::parse_theme(in, "fuzz.theme", t, error)) {
        FUZZ_CHECK(error.rfind("fuzz.theme:", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(!t.name.empty() && !t.miniature.empty());
    FUZZ_CHECK(t.background >= 1 && t.background <= 8 && t.sprites >= 1 && t.sprites <= 8);
    for (const auto* m :
         {&t.light_square, &t.dark_square, &t.frame, &t.table, &t.white, &t.black, &t.crown})
        FUZZ_CHECK(finite(*m));
    for (const auto& l : t.lights)
        FUZZ_CHECK(finite(l.at) && finite(l.colour) && std::isfinite(l.radius) &&
                   std::isfinite(l.power));
    FUZZ_CHECK(std::isfinite(t.exposure) && std::isfinite(t.vignette) &&
               std::isfinite(t.frame_width));
    FUZZ_CHECK(finite(t.ambient_board) && finite(t.ambient_room) && finite(t.sky_top) &&
               finite(t.sky_bottom));
    return 0;
}
