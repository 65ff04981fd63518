// The steps that follow a move, by the person or by the computer.
#include <cstring>

#include "board/board.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

namespace {

// Records the move made on board by `mover`. A full record refuses it: the position goes
// back to the last entry, the side to move with it, and the game is a draw.
bool record(int mover, int from, int to, int captures, TurnEnd& e) {
    game.side_to_move = static_cast<uint8_t>(1 - mover);
    game.side_after_last_move = game.side_to_move;
    const RecordOutcome o = record_move(from, to, captures);
    if (o == RecordOutcome::recorded) return true;
    if (o == RecordOutcome::refused) {
        load_ply();
        game.side_to_move = static_cast<uint8_t>(mover);
        game.side_after_last_move = game.side_to_move;
        std::memcpy(shown_board, board, sizeof board);
    }
    e.ended = true;
    e.report = end_of_game(EndReason::agreed_draw);
    return o == RecordOutcome::full;
}

// A rated match lost on time ends (rated and reported) and play goes on as a free game, so
// that the game's own end is reported in its turn.
void lost_on_time(EndReason reason, TurnEnd& e) {
    e.ended = true;
    e.report = end_of_game(reason);
    game.game_state = FREE_GAME;
}

}  // namespace

TurnEnd after_person_move(int from, int to, int captures, int32_t t) {
    TurnEnd e;
    const int mover = game.side_to_move;
    if (!record(mover, from, to, captures, e)) return e;
    end_human_move(mover, t);
    if (!e.ended) clocks.run = ClockRun::running;  // a move was played: play goes on
    if (e.ended) {                                 // the record is full: nobody moves on
        game.computer_to_move = 0;
        std::memcpy(shown_board, board, sizeof board);
        return e;
    }
    if (game.vs_computer) {
        game.computer_to_move = 1;
        std::memcpy(shown_board, board, sizeof board);
        return e;
    }
    game.legal_count = static_cast<uint8_t>(legal_moves(game.side_to_move));
    if (game.legal_count == 0) {
        e.ended = true;
        e.report = end_of_game(EndReason::person_moved);
    }
    return e;
}

TurnEnd computer_move_played(const Move& played, int last_score, int32_t t) {
    const Move move = played;  // `played` may lie in the list the end-of-game test refills
    TurnEnd e;
    const int mover = game.side_to_move;
    play_move(move);
    if (const auto timeout = check_time_out()) lost_on_time(*timeout, e);
    if (!record(mover, move.from, move.to, move.captures, e)) return e;
    game.last_from = move.from;
    game.last_to = move.to;
    start_turn(game.side_to_move, t);
    if (!e.ended) clocks.run = ClockRun::running;

    game.computer_to_move = 0;
    game.legal_count = static_cast<uint8_t>(legal_moves(game.side_to_move));
    game.skip_ponder = movegen.best_capture_count > 2;
    if (game.legal_count == 0 && !e.ended) {
        e.ended = true;
        e.report = end_of_game(EndReason::computer_moved);
    }
    std::memcpy(shown_board, board, sizeof board);
    const PieceTotals tot = count_pieces();
    game.totals_by_ply[game.current_ply] = tot.white + tot.black;
    if (!e.ended && computer_vs_computer_draw(last_score)) {
        e.ended = true;
        e.report = end_of_game(EndReason::agreed_draw);
    }
    return e;
}

TurnEnd begin_computer_turn() {
    TurnEnd e;
    const auto timeout = check_time_out();
    game.computer_to_move = 1;
    if (timeout) lost_on_time(*timeout, e);
    game.computer_colour = game.side_to_move;
    return e;
}

TurnEnd computer_cannot_move() {
    TurnEnd e;
    game.computer_to_move = 0;
    game.legal_count = static_cast<uint8_t>(legal_moves(game.side_to_move));
    if (game.legal_count == 0) {
        e.ended = true;
        e.report = end_of_game(EndReason::computer_moved);
    }
    return e;
}

}  // namespace qv
