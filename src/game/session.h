// One game from start to end, without the window: set-up of a new game, the steps after
// each move, the end-of-game report, draw offers, resignation, the handicap of the lowest
// level and swapping players. The window draws what these leave in `game` and `clocks`
// and shows the texts they return.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/message_id.h"
#include "board/movegen.h"
#include "game/game_codes.h"
#include "game/players.h"

namespace qv {

enum class Sound { none, gagne, perdu };  // "gagne.wav", "Perdu.wav"

// One player's rating before and after a rated match (Msg::RATING_CHANGE).
struct RatingChange {
    std::string name;
    int before = 0;
    int after = 0;
};

// What end_of_game decided, for the window to word and show.
struct EndReport {
    bool reported = false;       // false: the end of this rated match was already reported
    int result = DRAWN;          // BLACK_WON, DRAWN or WHITE_WON
    std::optional<Msg> message;  // the label qui_gagne (none when nobody has won)
    std::string winner_name;     // Msg::PLAYER_WINS: the winner of a rated match
    Sound sound = Sound::none;
    bool show_panel = false;           // fin_de_parties (not during a learning series)
    bool clear_result_labels = false;  // free game: Resultat_blanc / Resultat_noir emptied
    bool ratings_changed = false;      // rated: the two changes below are shown
    RatingChange white_rating;
    RatingChange black_rating;
    bool ratings_written = false;  // points.dat rewritten
    bool start_analysis = false;   // a learning series goes on with the game analysis
};

EndReport end_of_game(EndReason reason);

// What happened after a move: the game may have ended.
struct TurnEnd {
    bool ended = false;
    EndReport report;
};

// A person's move, already made on board: record, list line, clocks, the turn passes.
TurnEnd after_person_move(int from, int to, int captures, int32_t t);
// The computer's move (played on board here), then the rest of its turn: time control, record, list
// line, the next side's clock, end of game, the draw rule of the computer playing itself.
// `last_score` is the last search score.
TurnEnd computer_move_played(const Move& move, int last_score, int32_t t);
// The computer's turn found no move (choose_move gave NO_MOVE): it plays nothing, and the game
// ends with the other side the winner.
TurnEnd computer_cannot_move();

// Start of the computer's turn: it moves for the side to move (computer_colour follows),
// and in a rated match the clocks are checked first. A time-out ends the match, and the
// turn goes on: the game continues unrated.
TurnEnd begin_computer_turn();

// The move the computer plays at level 0 ("0 : Néophyte"): the second of its list when it
// is a piece up with more than one move (and not a single forced move); else `chosen`.
int handicap_choice(int chosen, int side, int legal_count, bool single_move);
// The same for a given level (0..8), for players outside the game's level menu (self-play).
int handicap_choice(int chosen, int side, int legal_count, bool single_move, int level_index);
// The computer offers a draw: few pieces with a king, no capture in the last 20 plies and
// an undecided score.
bool computer_offers_draw(int last_score);
// The person proposes a draw: accepted with fewer than 20 pieces when the last search score,
// turned to the computer's view, is 0 or less. `score_side` is the side that search was for:
// the computer's own, or the person's when it last thought on the person's time.
bool computer_accepts_draw(int score_side, int last_score);
// The person proposes a draw: the game ends as a draw when the computer accepts (else the
// window says it refused).
TurnEnd person_offers_draw(int score_side, int last_score);
// The person accepts the computer's draw offer.
EndReport accept_computer_draw();
// The person resigns: the game ends, then it is no longer a rated match.
EndReport person_resigns();
// Computer against computer: more than 250 plies, the same total as 60 plies back and a
// score within +-20000 make a draw.
bool computer_vs_computer_draw(int last_score);

// Start position, empty record at ply 0, White to move, clocks restarted at t.
void remplir(int32_t t);
// The empty board. Like every set-up command below, it makes the game unrated.
void vider();
// Set-up mode on or off; returns the new setup_mode. When the
// computer was to move, it is asked to move once the position is left.
bool toggle_setup_mode();
// A set-up click: `code` (0..4) on square s (1..32), stored at the current ply; the game is
// no longer rated. False (nothing changed) for anything else.
bool place_piece(int square, int code);
// Set-up panel: the computer's colour (the side to move becomes the person's) and who moves.
void Change_couleur();
void Couleur_joue();
// After any change made in set-up: the position is a new game, ply 0 of an empty record
// with the side now to move, clocks at zero and unrated; the game it came from is gone.
void begin_set_up_record();

// The players' names as entered: cut to 19 bytes, written into entry current_ply.
void set_names(std::string_view white, std::string_view black);

// Navigation. Each raises the search's stop marks where it must and leaves the position in
// board and shown_board; t is now() for the clocks' turn starts.
void reprise(int32_t t);
void avancer(int32_t t);
void revenir_debut(int32_t t);
void Aller_fin(int32_t t);
// Double click on list line `line`: keeps the side to move. False if the line is not there.
bool revenir_n(int line);
// Swap players: a free game, then inverser_joueurs1.
void inverser_joueurs();
void inverser_joueurs1();

// "Nouveau": the search stops, no result yet, the move list is emptied, set-up is left;
// the window then shows the dialog with the players table.
void start_new_game();

// New games from the dialog. Each starts from the start position with clocks at zero.
// When the computer takes White the players are swapped (computer_colour 0, computer to
// move); the window then turns the picture.
void start_training(std::string_view person, bool computer_white, int32_t t);
// Rated match for the person on line `person_line` of the players table (person_line());
// false (nothing done) when the name is empty or the line is not a person's.
bool start_match(const PlayersTable& table, std::string_view person, int person_line,
                 bool computer_white, int32_t t);
// Why two people cannot play with these names and list lines (both names there, different,
// neither on line 0, the computer's); nothing when they can.
std::optional<Msg> two_players_refusal(std::string_view white, std::string_view black,
                                       int white_line, int black_line);
// Two people; false when two_players_refusal gives a reason.
bool start_two_players(std::string_view white, std::string_view black, int white_line,
                       int black_line, int32_t t);

}  // namespace qv
