// What move entry and set-up need from the board on screen. The window implements it;
// keeping it narrow lets the entry rules run without a window.
#pragma once

#include <cstdint>

namespace qv::ui {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb FRAME_RED{255, 0, 0};
inline constexpr Rgb FRAME_BLUE{0, 0, 255};
inline constexpr Rgb FRAME_FUCHSIA{255, 0, 255};
inline constexpr Rgb FRAME_CYAN{0, 255, 255};
inline constexpr Rgb FRAME_SILVER{192, 192, 192};

class BoardView {
  public:
    virtual ~BoardView() = default;
    // Square s drawn with piece `code` (its frame, if any, is wiped).
    virtual void draw_square(int s, uint8_t code) = 0;
    // Two nested outlines around square s.
    virtual void frame_square(int s, Rgb colour) = 0;
    // Every empty square drawn again, which removes frames left on them.
    virtual void redraw_empty_squares() = 0;
    // The three labels "Prise", "obligatoire", "majoritaire".
    virtual void show_capture_labels(bool visible) = 0;
    // Piece counters (and, while setting up, the static evaluations).
    virtual void show_totals() = 0;
    // The "Nul refusé" panel goes away on any click.
    virtual void hide_draw_refused() = 0;
    // Waits `ms` milliseconds with the window kept alive.
    virtual void wait_ms(int ms) = 0;
};

}  // namespace qv::ui
