// The pictures of one style: background, sprites cut from renders, composites, and the
// small pictures (2D squares, set-up buttons, miniatures).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render.h"
#include "theme.h"

namespace render {

using Position = std::array<uint8_t, 33>;
Position start_position();
Position empty_position();

// Samples per pixel along each axis for the shipped pictures.
inline constexpr int SAMPLES_SIDE = 2;

// The camera of the perspective picture, fitted once to the square table.
const View& board_view(int samples_side);

// A place's box pixel (bx, by) that no other box covers: only there may a piece show.
bool owned_pixel(int place, int bx, int by);

struct SpriteSet {
    // [piece code 0..4][place 1..32], each 60 x 60.
    std::array<std::array<Image, 33>, 5> sprite;
};

Image render_background(const Theme& theme, const View& view);
// Sprites for every place and piece code: the render of the place's box with that piece
// alone on the board, kept only where the box is its own; elsewhere the background shows.
SpriteSet render_sprites(const Theme& theme, const View& view, const Image& background);
// Background with each square's sprite drawn over it, places 1 to 32 in order.
Image composite(const Image& background, const SpriteSet& set, const Position& position);
// The whole picture rendered with every piece of the position present.
Image render_position(const Theme& theme, const View& view, const Position& position, Rect rect);

// A square seen from straight above, `size` pixels wide: dark (with piece code) or light.
Image render_square(const Theme& theme, bool dark, uint8_t code, int size, int samples_side);

// Area-averaged reduction of a region to w x h.
Image shrink(const Image& src, Rect region, int w, int h);

}  // namespace render
