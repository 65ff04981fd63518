// Pinhole camera over the board, and its fit to the fixed square positions of the picture.
#pragma once

#include "vec.h"

namespace render {

// Board units: one square is 1 x 1; the playing area is [0, 8] x [0, 8] on the plane
// z = BOARD_TOP, row 0 (squares 1..4) at the far side (y from 7 to 8), column 0 at the left.
inline constexpr double BOARD_TOP = 0.28;

struct Camera {
    Vec3 eye, forward, right, up;   // right/up span the image plane
    double focal = 800;             // pixels (orthographic: pixels per board unit)
    bool ortho = false;             // parallel rays along forward
    double cx = 392.5, cy = 260.5;  // principal point

    // Ray through picture point (px, py) (pixel units, y down).
    Ray ray(double px, double py) const;
    // Picture point of a world point.
    void project(const Vec3& p, double& px, double& py) const;
};

// Camera posed by target point, distance, yaw, pitch (elevation), roll and focal length.
struct CameraPose {
    double tx = 4, ty = 4, dist = 14, yaw = 0, pitch = 0.8, roll = 0, focal = 800;
    Camera camera() const;
};

// Where, inside its 60 x 60 box, the centre of a dark square is placed: the piece rises
// above it into the light square behind.
inline constexpr double ANCHOR_X = 30.0, ANCHOR_Y = 37.0;

// Centre of square s on the board plane.
Vec3 square_centre(int s);

// The pose whose projection of the 32 square centres best matches the table; the largest
// remaining error in pixels is returned through max_error.
CameraPose fit_camera(double* max_error = nullptr);

}  // namespace render
