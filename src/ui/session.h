// What the window's game loop keeps for itself; the game's own state is qv::game, the
// turn flow's qv::flow.
#pragma once

#include <cstdint>

namespace qv::ui {

struct SessionState {
    uint8_t quit_requested = 0;
    uint8_t pending_click = 0;
    int pending_x = 0;
    int pending_y = 0;
};
extern SessionState session;

}  // namespace qv::ui
