// The turn flow of the game loop, without the window: what each pass of the loop does, the
// commands pressed during a search that wait for it, which command groups are open, and the
// play options that the menus show as ticks. The window drives it and applies what it says.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

// The play options. Self-play and stop-by-click are the game's own (game.computer_vs_computer,
// game.stop_on_click: new games and the end of a game set them); the others are kept here.
enum class Option : uint8_t {
    self_play,           // "Ordinateur contre ordinateur"
    ponder,              // "Réflexion sur temps adverse"
    stop_on_click,       // "Arret réflexion par clic souris"
    decompose_captures,  // "Décomposer les prises"
    beep_each_move,      // "Bip à chaque coup"
    other_sounds,        // "Autres" (the end-of-game sounds)
};

struct PlayOptions {
    bool ponder = false;
    bool decompose_captures = true;
    bool beep_each_move = false;
    bool other_sounds = true;
};

// The commands that change the game or the engine's tables: pressed during a search they
// wait until it has returned. The window maps each to its handler.
enum class Command : uint8_t {
    take_back,
    forward,
    to_start,
    to_end,
    new_game,
    swap_players,
    open_game,
    open_text_game,
    propose_draw,
    resign,
    analyse,
    set_up_position,
    leave_set_up,
    fill_board,
    empty_board,
    set_up_colour,
    set_up_who_moves,
    set_up_direction,
    lessons,
    lesson_next,
    lesson_replay,
    start_session,
    session_game_over,
    load_lessons,
    parameters_ok,
    load_parameters,
    table_size_0,
    table_size_1,
    table_size_2,
    table_size_3,
    table_size_4,
    table_size_5,
    table_size_6,
    table_size_7,
};
inline constexpr int COMMAND_COUNT = static_cast<int>(Command::table_size_7) + 1;

// How a command waits for a running search.
enum class Wait : uint8_t {
    abandon,     // the search is called off and plays nothing
    stop,        // the search ends now and plays its best move
    after_move,  // the computer's own search finishes; thinking on the person's time or an
                 // analysis is stopped as by `stop`
};
enum class StopRequest : uint8_t { none, stop, abandon };

struct Deferral {
    bool deferred = false;  // false: no search runs, the command runs now
    StopRequest stop = StopRequest::none;
};

// What a pass of the loop does with the turn.
enum class TurnStep : uint8_t {
    none,      // set-up: nobody plays
    person,    // the person's turn: wait for a click
    ponder,    // the person's turn, and the computer thinks on the person's time
    computer,  // the computer's turn
};

// Which commands are open, given the kind of game, a running search, the ply, set-up,
// self-play and a running analysis.
struct CommandLocks {
    bool file_menu = true;
    bool edit_menu = true;
    bool players_menu = true;
    bool analysis_menu = true;
    bool openings_menu = true;
    bool level_menu = true;
    bool learning_menu = true;
    bool start_session = true;  // "Lancer une session"
    bool load_lessons = true;   // "Charger des leçons"
    // New game, modes, save, open, print, quit, set-up, text file, swap players, draw offer:
    // shut while the computer searches for its move.
    bool game_commands = true;
    // Pondering, clock reset, pause, navigation, stop by click: shut in a rated match.
    bool match_options = true;
    bool resign_shown = false;      // the three resign buttons: a rated match
    bool draw_offer_shown = false;  // "Proposer nul": a rated match still running
    bool problem_page_shown = true;
    bool problem_page_enabled = true;
};

struct TurnFlow {
    PlayOptions options;
    uint8_t searching = 0;  // a search (the computer's, pondering or an analysis) is running
    uint8_t pondered = 0;   // the computer already thought during this person's turn
    std::vector<Command> deferred;
};
extern TurnFlow flow;

bool option(Option o);
void set_option(Option o, bool on);

// Start of a pass: a computer move asked for by the set-up panel, or self-play, puts the
// computer to move.
void begin_pass();
// What this pass does with the turn.
TurnStep turn_step(bool analysis_running);
// The turn step has run: pondering is done for this turn; the computer's turn starts the next
// person's turn afresh.
void turn_step_done(TurnStep step);
// End of a pass: the set-up panel's request has been served.
void end_pass();
// Whether the loop may wait for the next window event: nothing pending, nobody to move and
// nothing to think about.
bool loop_idle(bool pending_click, bool analysis_running);

// A command pressed during a search waits for it, queued once; the window asks the search
// to stop as `stop` says.
Deferral defer_command(Command c, Wait how);
// Queued to run after the current turn whether or not a search runs.
void queue_command(Command c);
// The next waiting command, in the order they were pressed.
std::optional<Command> next_deferred();

CommandLocks command_locks(bool analysis_running);

}  // namespace qv
