// Where each playable square sits on the 785 x 521 perspective picture, and which square
// a point of that picture falls on. Plain tables, shared by the window and the renderer
// that makes the pictures.
#pragma once

#include <array>
#include <cstdint>

namespace qv {

inline constexpr int BOARD3D_WIDTH = 785;
inline constexpr int BOARD3D_HEIGHT = 521;
inline constexpr int BOARD3D_SPRITE = 60;  // every sprite and hit box is 60 x 60

// Top-left corner of square s's sprite (entry 0 unused). Rows of four share one Y.
inline constexpr std::array<int32_t, 33> BOARD3D_X = {
    0,   538, 438, 335, 234, 596, 491, 386, 281, 546, 438, 330, 221, 607, 495, 383, 271,
    553, 437, 321, 205, 618, 498, 378, 258, 560, 436, 312, 187, 632, 502, 373, 244};
inline constexpr std::array<int32_t, 33> BOARD3D_Y = {
    0,   57,  57,  57,  57,  93,  93,  93,  93,  133, 133, 133, 133, 173, 173, 173, 173,
    219, 219, 219, 219, 263, 263, 263, 263, 316, 316, 316, 316, 370, 370, 370, 370};

// The picture place (and sprite) used for square s: a flipped board shows s where 33 - s
// stands unflipped, with 33 - s's sprite.
inline constexpr int board3d_place(int s, bool flipped) {
    return flipped ? 33 - s : s;
}

// The place whose box holds (x, y), searched row by row from the top; a row is tried only
// when y lies within its 60 pixels. Boxes overlap a little: the upper row wins. 0 when the
// point is on no box.
int board3d_place_at(int x, int y);

// The square clicked at (x, y) on a board shown with the given orientation, or 0.
int board3d_square_at(int x, int y, bool flipped);

// The point in 2D board click coordinates that stands for place t, so that a click on
// the 3D board can be handed to the same routine as a click on the 2D board.
struct ClickPoint {
    int x;
    int y;
};
ClickPoint board3d_click_point(int t);

}  // namespace qv
