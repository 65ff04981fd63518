// Stepping through the game record, the start position and the set-up panel's switches.
#include <cstring>

#include "board/board.h"
#include "board/host.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

namespace {

void stop_search() {
    game.stop_requested = true;
    game.search_abandoned = true;
}

// The names on screen stay: they are written into the entry about to be shown.
void keep_names() {
    set_names(game.white_name, game.black_name);
}

void show_entry() {
    load_ply();
    std::memcpy(shown_board, board, sizeof board);
}

void select_pair_line() {
    game.list_selection = game.current_ply / 2 - 1;
}

// Moving in a game that is over lets play go on from the position shown.
void turn_starts(int32_t t) {
    clocks.white_turn_start = clocks.black_turn_start = t;
    if (clocks.run == ClockRun::stopped) clocks.run = ClockRun::waiting;
}

}  // namespace

void set_names(std::string_view white, std::string_view black) {
    game.white_name = fit_name(white);
    game.black_name = fit_name(black);
    PlyRecord& e = game.game_record[game.current_ply];
    std::memset(e.white_name, 0, sizeof e.white_name);
    std::memset(e.black_name, 0, sizeof e.black_name);
    std::memcpy(e.white_name, game.white_name.data(), game.white_name.size());
    std::memcpy(e.black_name, game.black_name.data(), game.black_name.size());
}

namespace {

// One ply back or forward: the entry is shown, the other side is to move, and the clocks
// restart from the entry's values.
void step_ply(int delta, int32_t t) {
    stop_search();
    game.current_ply = static_cast<uint8_t>(game.current_ply + delta);
    select_pair_line();
    keep_names();
    show_entry();
    game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
    clocks.white_shown = clocks.white_clock;
    clocks.black_shown = clocks.black_clock;
    turn_starts(t);
}

}  // namespace

void reprise(int32_t t) {
    game.skip_ponder = 1;
    game.computer_to_move = 0;
    if (game.current_ply == 0) return;
    step_ply(-1, t);
}

void avancer(int32_t t) {
    game.skip_ponder = 1;
    if (game.current_ply >= game.last_ply) return;
    game.game_state = FREE_GAME;
    step_ply(+1, t);
}

void revenir_debut(int32_t t) {
    stop_search();
    game.game_state = FREE_GAME;
    const int first = opening_side();  // White, unless a position set up says otherwise
    game.current_ply = 0;
    keep_names();
    show_entry();
    game.side_to_move = static_cast<uint8_t>(first);
    turn_starts(t);
    game.skip_ponder = 1;
}

void Aller_fin(int32_t t) {
    stop_search();
    game.game_state = FREE_GAME;
    game.current_ply = static_cast<uint8_t>(game.last_ply);
    keep_names();
    show_entry();
    game.side_to_move = game.side_after_last_move;
    turn_starts(t);
    game.skip_ponder = 1;
}

bool revenir_n(int line) {
    if (line < 0 || line >= static_cast<int>(game.list_lines.size())) return false;
    const int p = game.current_ply % 2 == 1 ? 2 * line + 1 : 2 * line;
    if (p > game.last_ply) return false;
    game.current_ply = static_cast<uint8_t>(p);
    game.list_selection = line;
    show_entry();
    if (clocks.run == ClockRun::stopped) clocks.run = ClockRun::waiting;
    return true;
}

void inverser_joueurs() {
    game.game_state = FREE_GAME;
    inverser_joueurs1();
}

void inverser_joueurs1() {
    game.computer_colour = static_cast<uint8_t>(1 - game.computer_colour);
    std::memcpy(board, shown_board, sizeof board);
    game.computer_to_move = 1;
}

void remplir(int32_t t) {
    if (board_state.flipped) {
        board_state.flipped = 0;
        host().orientation_changed();
    }
    game.current_ply = 0;
    game.last_ply = 0;
    reset_clocks(t);
    clocks.run = ClockRun::waiting;
    game.stop_requested = true;
    game.side_to_move = WHITE;
    game.side_after_last_move = WHITE;
    set_start_position();
    std::memcpy(shown_board, board, sizeof board);
    movegen.best_capture_count = 0;
    game.move_from = game.move_to = game.move_captures = 0;
    game.computer_to_move = 0;
    game.game_state = FREE_GAME;
    game.skip_ponder = 1;
    game.list_lines.clear();
    game.list_selection = -1;
    store_ply();
}

void vider() {
    clear_board();
    std::memcpy(shown_board, board, sizeof board);
    begin_set_up_record();
}

void begin_set_up_record() {
    game.game_state = FREE_GAME;  // any change of the position outside play ends the rating
    game.current_ply = 0;
    game.last_ply = 0;
    game.move_from = game.move_to = game.move_captures = 0;
    game.side_after_last_move = game.side_to_move;
    game.list_lines.clear();
    game.list_selection = -1;
    clocks.white_clock = clocks.black_clock = 0;
    clocks.white_shown = clocks.black_shown = 0;
    store_ply();
}

bool toggle_setup_mode() {
    game.stop_requested = true;
    hold_clocks();
    game.setup_mode = game.setup_mode ? 0 : 1;
    game.computer_requested = 0;
    if (game.computer_to_move) {
        game.computer_to_move = 0;
        game.computer_requested = 1;
    }
    return game.setup_mode != 0;
}

bool place_piece(int square, int code) {
    if (square < 1 || square > 32 || code < EMPTY || code > BLACK_KING) return false;
    board[0] = OFF_BOARD;
    board[square] = static_cast<uint8_t>(code);
    std::memcpy(shown_board, board, sizeof board);
    begin_set_up_record();
    return true;
}

void Change_couleur() {
    if (game.computer_colour == 0) {
        game.computer_colour = 1;
        game.side_to_move = WHITE;
    } else {
        game.computer_colour = 0;
        game.side_to_move = BLACK;
    }
    begin_set_up_record();
}

void Couleur_joue() {
    game.computer_to_move = game.computer_to_move ? 0 : 1;
    game.side_to_move = static_cast<uint8_t>(1 - game.side_to_move);
    begin_set_up_record();
}

}  // namespace qv
