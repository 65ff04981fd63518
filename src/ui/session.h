// The turn-flow state the window's game loop runs on: whose turn it is, what the loop
// must do at its next pass, the click waiting for move entry.
#pragma once

#include <cstdint>

#include "board/board.h"

namespace qv::ui {

struct SessionState {
    uint8_t side_to_move = WHITE;
    uint8_t computer_colour = BLACK;  // the computer plays Black by default
    uint8_t vs_computer = 1;
    uint8_t computer_to_move = 0;
    uint8_t computer_requested = 0;
    uint8_t setup_mode = 0;
    uint8_t quit_requested = 0;
    uint8_t pending_click = 0;
    int pending_x = 0;
    int pending_y = 0;
    uint8_t game_state = 0;   // 0 free game, 1 rated match, 5 its end reported
    uint8_t game_result = 3;  // 0 Black won, 1 draw, 2 White won, 3 none yet
    uint8_t legal_count = 0;
    uint8_t skip_ponder = 1;
    uint8_t last_from = 0;
    uint8_t last_to = 0;
    uint8_t searching = 0;  // a computer search runs inside the current pass
    uint8_t pondered = 0;   // the computer already thought during this person's turn
    uint8_t clocks_running = 0;
};
extern SessionState session;

}  // namespace qv::ui
