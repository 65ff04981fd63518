// What the window's game loop keeps for itself; the game's own state is qv::game.
#pragma once

#include <cstdint>

namespace qv::ui {

struct SessionState {
    uint8_t quit_requested = 0;
    uint8_t pending_click = 0;
    int pending_x = 0;
    int pending_y = 0;
    uint8_t searching = 0;  // a computer search runs inside the current pass
    uint8_t pondered = 0;   // the computer already thought during this person's turn
};
extern SessionState session;

}  // namespace qv::ui
