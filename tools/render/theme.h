// A board style: materials, lights, camera exposure and surroundings, read from a small
// text file of lines "object key=value key=value ...".
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "vec.h"

namespace render {

enum class Pattern { Plain, Wood, Planks, Marble, Sand, Beach, Stone, Lava, Pebbles, Cloth, Gold };

struct Material {
    Pattern pattern = Pattern::Plain;
    Vec3 a{0.5, 0.5, 0.5}, b{0.5, 0.5, 0.5};
    double scale = 1;
    double specular = 0.1, shine = 30;  // highlight strength and sharpness
    double reflect = 0;                 // mirror coat: reflectance at normal incidence
    double glass = 0;                   // 1: transparent body (pieces only)
    double ior = 1.5;
    Vec3 tint{1, 1, 1};  // colour kept per unit length inside glass
    double milk = 0;     // part of a glass body that scatters like a diffuse one
    Vec3 glow{0, 0, 0};  // emitted light (lava cracks)
    double seed = 0;
};

enum class Scope { All, Board, Room };

struct Light {
    bool sun = false;
    Vec3 at{0, 0, 10};  // sphere light: centre; sun: direction toward the sun
    double radius = 1;  // sphere radius, or the sun's angular radius in radians
    Vec3 colour{1, 1, 1};
    double power = 1;  // irradiance at the board centre
    Scope scope = Scope::All;
};

struct Theme {
    std::string name;
    int background = 1;  // damierNi.bmp / damierNwi.bmp
    int sprites = 1;     // ImagesTi
    std::string miniature;
    std::string pieces = "disc";  // disc | pebble | glass
    bool pebbles() const { return pieces == "pebble"; }
    double frame_width = 0.6;
    Material light_square, dark_square, frame, table, white, black, crown;
    Vec3 ambient_board{0.2, 0.2, 0.2}, ambient_room{0.2, 0.2, 0.2};
    Vec3 sky_top{0.6, 0.6, 0.6}, sky_bottom{0.3, 0.3, 0.3};
    std::vector<Light> lights;
    double exposure = 1, vignette = 0;
};

// Reads a style file; on failure returns false with a message naming the line.
bool load_theme(const std::string& path, Theme& theme, std::string& error);
// The same from a stream; `path` names it in the messages.
bool parse_theme(std::istream& in, const std::string& path, Theme& theme, std::string& error);

}  // namespace render
