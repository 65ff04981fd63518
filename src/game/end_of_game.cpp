// The end of a game, draw offers, resignation and the handicap of the lowest level.
#include <cstdio>

#include "board/board.h"
#include "board/data_dir.h"
#include "board/host.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

namespace {

int result_for_winner(int colour) {
    return colour == WHITE ? WHITE_WON : BLACK_WON;
}

// Rated match: new ratings shown and written to points.dat; its end is reported.
void report_ratings(EndReport& r) {
    game.game_state = RATED_MATCH_REPORTED;
    const RatingUpdate u = update_ratings(match.white_rating, match.black_rating, r.result);
    r.ratings_changed = true;
    r.white_rating = {game.white_name, match.white_rating, u.white};
    r.black_rating = {game.black_name, match.black_rating, u.black};
    if (!u.applied) return;
    PlayersTable table;
    if (!read_players(folder_holding("joueurs.dat"), table)) {
        host().show_error(Msg::CANNOT_OPEN_FILE);
        return;
    }
    const int n = static_cast<int>(table.ratings.size());
    if (match.white_player_index >= 0 && match.white_player_index < n)
        table.ratings[match.white_player_index] = std::to_string(u.white);
    if (match.black_player_index >= 0 && match.black_player_index < n)
        table.ratings[match.black_player_index] = std::to_string(u.black);
    r.ratings_written = write_ratings(user_dir(), table);
    if (!r.ratings_written) host().show_error(Msg::CANNOT_OPEN_FILE);
}

PieceTotals totals() {
    return count_pieces();
}

}  // namespace

EndReport end_of_game(EndReason reason) {
    EndReport r;
    stop_clocks();
    if (game.game_state == RATED_MATCH_REPORTED) return r;
    r.reported = true;

    // The winner by position.
    const int white_moves = legal_moves(WHITE);
    const int black_moves = white_moves == 0 ? 1 : legal_moves(BLACK);
    legal_moves(game.side_to_move);  // the window's ply-1 list is the side to move's again
    if (white_moves == 0 || black_moves == 0) {
        r.result = white_moves == 0 ? BLACK_WON : WHITE_WON;
        const int winner = r.result == WHITE_WON ? WHITE : BLACK;
        if (game.game_state == RATED_MATCH) {
            r.message = Msg::PLAYER_WINS;
            r.winner_name = winner == WHITE ? game.white_name : game.black_name;
        } else if (!game.vs_computer) {
            r.message = winner == WHITE ? Msg::WHITE_WINS : Msg::BLACK_WINS;
        } else if (winner == game.computer_colour) {
            r.message = Msg::COMPUTER_WON;
            r.sound = Sound::perdu;
        } else {
            r.message = Msg::YOU_WON;
            r.sound = Sound::gagne;
        }
    }

    const int computer = game.computer_colour;
    switch (reason) {
        case EndReason::agreed_draw:
            r.message = Msg::DRAW;
            r.sound = Sound::none;
            r.result = DRAWN;
            break;
        case EndReason::person_out_of_time:
            r.message = Msg::TIME_OUT_COMPUTER_WINS;
            r.sound = Sound::perdu;
            r.result = result_for_winner(computer);
            break;
        case EndReason::computer_out_of_time:
            r.message = Msg::TIME_OUT_YOU_WIN;
            r.sound = Sound::gagne;
            r.result = result_for_winner(1 - computer);
            break;
        case EndReason::person_resigned:
            r.message = Msg::YOU_RESIGN;
            r.sound = Sound::perdu;
            r.result = result_for_winner(computer);
            break;
        default:
            break;
    }

    r.show_panel = !game.learning_session;
    if (game.game_state == FREE_GAME) r.clear_result_labels = true;
    if (game.game_state == RATED_MATCH) report_ratings(r);
    if (game.computer_vs_computer) {
        if (game.learning_session)
            r.start_analysis = true;
        else
            game.computer_vs_computer = false;
    }
    game.game_result = static_cast<uint8_t>(r.result);
    return r;
}

int handicap_choice(int chosen, int side, int legal_count, bool single_move) {
    return handicap_choice(chosen, side, legal_count, single_move, clocks.level_index);
}

int handicap_choice(int chosen, int side, int legal_count, bool single_move, int level_index) {
    if (level_index != 0 || single_move || legal_count <= 1) return chosen;
    const PieceTotals t = totals();
    const int mine = side == WHITE ? t.white : t.black;
    const int theirs = side == WHITE ? t.black : t.white;
    return mine > theirs ? 1 : chosen;
}

bool computer_offers_draw(int last_score) {
    const PieceTotals t = totals();
    const int total = t.white + t.black;
    bool king = false;
    for (int s = 1; s <= 32; ++s) king = king || is_king(board[s]);
    if (total >= 6 || !king || game.current_ply <= 20) return false;
    for (int p = game.current_ply; p > game.current_ply - 20; --p)
        if (game.game_record[p].capture_count != 0) return false;
    return total < 5 && last_score > -30000 && last_score < 30000;
}

bool computer_accepts_draw(int score_side, int last_score) {
    const PieceTotals t = totals();
    if (t.white + t.black >= 20) return false;
    const int computers = score_side == game.computer_colour ? last_score : -last_score;
    return computers <= 0;
}

TurnEnd person_offers_draw(int score_side, int last_score) {
    TurnEnd e;
    if (!computer_accepts_draw(score_side, last_score)) return e;
    e.ended = true;
    e.report = end_of_game(EndReason::agreed_draw);
    return e;
}

EndReport accept_computer_draw() {
    return end_of_game(EndReason::agreed_draw);
}

EndReport person_resigns() {
    game.stop_requested = true;
    EndReport r = end_of_game(EndReason::person_resigned);
    game.game_state = FREE_GAME;
    return r;
}

bool computer_vs_computer_draw(int last_score) {
    const int p = game.current_ply;
    return game.computer_vs_computer && p > 250 &&
           game.totals_by_ply[p] == game.totals_by_ply[p - 60] && last_score > -20000 &&
           last_score < 20000;
}

}  // namespace qv
