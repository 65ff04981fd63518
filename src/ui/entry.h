// Move entry on the 2D board: a stored click becomes a square, a piece is picked up, the
// rest of the move is guided by frames and completed as soon as only one way is left.
#pragma once

#include <cstdint>

#include "ui/board_view.h"

namespace qv::ui {

struct EntryState {
    uint16_t in_hand = 0;
    uint8_t entry_path[16] = {};
    uint8_t entry_len = 0;
    uint8_t entry_marks[33] = {};
    uint8_t entry_ambiguous = 0;
    uint8_t clicked_square = 0;
    uint8_t start_square = 0;
    // Menu options read by the entry.
    bool decompose_captures = true;  // "Décomposer les prises"
};
extern EntryState entry;

inline constexpr uint8_t MARK_NEXT = 1;
inline constexpr uint8_t MARK_FINAL = 100;

// The move just entered, handed to the game.
struct EnteredMove {
    uint8_t from = 0;
    uint8_t to = 0;
    uint8_t captures = 0;
};

// Window coordinates of a click on the 2D board (X, Y from the window's left and top)
// turned into the stored form the click routine reads.
inline int stored_x(int window_x) {
    return 500 - window_x;
}
// Square hit by stored coordinates, 0 when outside the board; light squares give the
// dark square of the same row and column pair.
int square_of_click(int x, int y);
// Whether stored coordinates hit a dark square of the board (set-up ignores the others).
bool click_on_dark_square(int x, int y);

// Drops the piece in hand (if any) and clears the marks; the frames are the caller's.
void cancel_entry();

// One stored click while a game is played (not in set-up). Returns true and fills
// `made` when the click completed a move on board.
bool entry_click(int s, int side, BoardView& view, EnteredMove& made);

}  // namespace qv::ui
