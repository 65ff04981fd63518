// The objects on the table: the table top, the board box and the pieces, with ray tests.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "theme.h"
#include "vec.h"

namespace render {

// A piece is a solid of revolution: a profile (radius, height) from the axis at the bottom,
// round the outside, back to the axis at the top.
struct ProfileSegment {
    double r0, z0, r1, z1;
    double nr0, nz0, nr1, nz1;  // outward profile normals at both ends (smoothed)
};
struct Profile {
    std::vector<ProfileSegment> segments;
    double rmax = 0, zmax = 0;
};
Profile make_profile(const std::string& shape, bool king);

enum class Part : uint8_t { None, Table, Board, Piece };

struct Hit {
    double t = 1e30;
    Vec3 p, n;
    Part part = Part::None;
    int piece = -1;  // index into Scene::pieces
};

struct Piece {
    double x, y;  // centre on the board plane
    uint8_t code;
    const Profile* profile;
};

struct Scene {
    Theme theme;
    Profile man, king;
    std::vector<Piece> pieces;

    explicit Scene(const Theme& t);
    // Places the pieces of a position (33 piece codes indexed by square).
    void set_position(const std::array<uint8_t, 33>& position);

    bool intersect(const Ray& r, double tmax, Hit& hit) const;
    bool intersect_piece(const Ray& r, int index, double tmax, Hit& hit) const;
    double board_extent() const { return theme.frame_width; }
};

}  // namespace render
