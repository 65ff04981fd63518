// Turning a scene into pixels: sampling, exposure, tone curve, threads.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "camera.h"
#include "scene.h"

namespace render {

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;  // w * h * 3, rows top first
    Image() = default;
    Image(int width, int height) : w(width), h(height), rgb(size_t(width) * height * 3, 0) {}
    uint8_t* at(int x, int y) { return &rgb[(size_t(y) * w + x) * 3]; }
    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * w + x) * 3]; }
};

struct Rect {
    int x, y, w, h;
};

struct View {
    Camera camera;
    int frame_w, frame_h;  // the whole picture, for the vignette
    int samples_side = 3;  // samples per pixel: the square of this
};

// Renders the part `rect` of the picture; pixel (x, y) of the picture always draws the same
// samples, so crops of separate renders join up exactly.
Image render_rect(const Scene& scene, const View& view, Rect rect);

// Picture-wide threads (0: as many as the machine has).
void set_render_threads(int n);

}  // namespace render
