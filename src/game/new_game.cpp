// Starting a game from the new-game dialog: training, rated match, two people.
#include "board/board.h"
#include "game/clocks.h"
#include "game/game_record.h"
#include "game/session.h"

namespace qv {

namespace {

void common_start(int32_t t) {
    remplir(t);
    reset_clocks(t);
}

// The computer takes Black, or White by swapping the players (it then opens).
void seat_computer(std::string_view person, bool computer_white) {
    game.computer_colour = 1;
    if (computer_white) {
        set_names(COMPUTER_NAME, person);
        inverser_joueurs1();
    } else {
        set_names(person, COMPUTER_NAME);
    }
}

bool computer_against_itself() {
    return game.black_name == COMPUTER_NAME && game.white_name == SECOND_COMPUTER_NAME;
}

}  // namespace

void start_new_game() {
    game.stop_requested = true;
    game.game_result = NO_RESULT;
    game.list_lines.clear();
    game.list_selection = -1;
    game.setup_mode = 0;
}

void start_training(std::string_view person, bool computer_white, int32_t t) {
    common_start(t);
    game.game_state = FREE_GAME;
    game.vs_computer = 1;
    game.stop_on_click = true;
    game.computer_vs_computer = false;
    seat_computer(person, computer_white);
    if (computer_against_itself()) game.computer_vs_computer = true;
}

bool start_match(const PlayersTable& table, std::string_view person, int person_line,
                 bool computer_white, int32_t t) {
    if (person.empty() || person_line <= 0) return false;
    common_start(t);
    game.game_state = RATED_MATCH;
    game.vs_computer = 1;
    game.computer_vs_computer = false;
    game.stop_on_click = false;

    // Line 0 is the computer's alone.
    (computer_white ? match.black_player_index : match.white_player_index) = person_line;
    (computer_white ? match.white_player_index : match.black_player_index) = 0;

    const int person_rating = match_rating(table, person_line, person);
    const int computer_rating = match_rating(table, 0, COMPUTER_NAME);
    match.white_rating = computer_white ? computer_rating : person_rating;
    match.black_rating = computer_white ? person_rating : computer_rating;

    seat_computer(person, computer_white);
    if (computer_against_itself()) {
        game.computer_vs_computer = true;
        game.game_state = FREE_GAME;
        game.stop_on_click = true;
    }
    return true;
}

std::optional<Msg> two_players_refusal(std::string_view white, std::string_view black,
                                       int white_line, int black_line) {
    if (white.empty() || black.empty()) return Msg::REFUSED_NAME_MISSING;
    if (white == black) return Msg::REFUSED_SAME_NAMES;
    if (white_line == 0 || black_line == 0) return Msg::REFUSED_COMPUTER_NOT_A_PERSON;
    return std::nullopt;
}

bool start_two_players(std::string_view white, std::string_view black, int white_line,
                       int black_line, int32_t t) {
    if (two_players_refusal(white, black, white_line, black_line)) return false;
    common_start(t);
    game.computer_vs_computer = false;
    game.vs_computer = 0;
    game.game_state = FREE_GAME;
    game.stop_on_click = true;
    set_names(white, black);
    return true;
}

}  // namespace qv
