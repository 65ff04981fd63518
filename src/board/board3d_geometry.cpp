#include "board/board3d_geometry.h"

namespace qv {

int board3d_place_at(int x, int y) {
    for (int row = 0; row < 8; ++row) {
        const int first = 4 * row + 1;
        const int top = BOARD3D_Y[first];
        if (y < top || y >= top + BOARD3D_SPRITE) continue;
        for (int t = first; t < first + 4; ++t)
            if (x >= BOARD3D_X[t] && x < BOARD3D_X[t] + BOARD3D_SPRITE) return t;
    }
    return 0;
}

int board3d_square_at(int x, int y, bool flipped) {
    const int t = board3d_place_at(x, y);
    return t == 0 ? 0 : board3d_place(t, flipped);
}

ClickPoint board3d_click_point(int t) {
    const int r = (t - 1) / 4;
    const int k = (t - 1) % 4 + 1;
    return {115 * k - (r % 2 == 1 ? 58 : 0), 58 * r + 58};
}

}  // namespace qv
